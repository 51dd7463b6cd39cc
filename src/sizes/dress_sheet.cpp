#include "sizes/dress_sheet.h"

#include <commctrl.h>

#include "accessibility/control_names.h"

IMPLEMENT_DYNAMIC(CDlgDress, CPropertySheet)

const CommandRoute CDlgDress::kRoutes[] = {
    Command(BN_CLICKED, IDOK, &CDlgDress::OnEnter),
};
const MessageMap CDlgDress::kMessageMap{&CPropertySheet::kMessageMap, kRoutes};

CDlgDress::CDlgDress() : CPaletteWindow(L"مقاسات الملبوسات") {
  m_psh.dwFlags |= PSH_NOAPPLYNOW | PSH_RTLREADING;
  AddPage(&m_pageMen);
  AddPage(&m_pageWomen);
}

BOOL CDlgDress::OnInitDialog() {
  CPropertySheet::OnInitDialog();
  ::DestroyWindow(GetDlgItem(IDOK));
  const HWND back = GetDlgItem(IDCANCEL);
  SetWindowTextW(back, L"رجــوع");
  // The one button goes to the bottom left, 8 pixels from the client area's edge.
  RECT rect;
  GetWindowRect(back, &rect);
  MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
  MoveWindow(back, 8, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
  // The tabs read as their pages; the row of tabs itself has no label to be named by.
  SetAccessibleName(reinterpret_cast<HWND>(SendMessageW(m_hWnd, PSM_GETTABCONTROL, 0, 0)),
                    L"الصفحة");
  return TRUE;
}

void CDlgDress::OnEnter() {
  PostMessageW(m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}
