#include "framework/property_sheet.h"

#include <utility>

#include "platform/platform.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertyPage::CPropertyPage(UINT nIDTemplate) : CDialog(nIDTemplate) {
  m_psp.dwSize = sizeof m_psp;
  m_psp.dwFlags = PSP_DEFAULT;
  m_psp.hInstance = AfxGetResourceHandle();
  m_psp.pszTemplate = MAKEINTRESOURCEW(nIDTemplate);
  m_psp.pfnDlgProc = StaticPageProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
}

// As with a dialog, the page's object takes its window over at WM_INITDIALOG; the sheet passes
// its own copy of the page description, which still carries the object.
INT_PTR CALLBACK CPropertyPage::StaticPageProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  const auto* psp = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
  auto* pPage = reinterpret_cast<CPropertyPage*>(psp->lParam);
  return pPage->TakeOver(hwnd, wParam);
}

namespace {
// The sheet whose window is being made, and the hook that waits for it.
CPropertySheet* g_pSheetInit = nullptr;
HHOOK g_sheetHook = nullptr;
}  // namespace

CPropertySheet::CPropertySheet(const wchar_t* caption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(caption), m_pParentWnd(pParentWnd) {
  m_psh.dwSize = sizeof m_psh;
  m_psh.dwFlags = PSH_PROPSHEETPAGE;
  m_psh.hInstance = AfxGetResourceHandle();
  m_psh.nStartPage = iSelectPage;
}

// The first window made while the sheet starts is the sheet itself.
LRESULT CALLBACK CPropertySheet::CatchSheetWindow(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && g_pSheetInit) {
    CPropertySheet* pSheet = std::exchange(g_pSheetInit, nullptr);
    pSheet->SubclassWindow(reinterpret_cast<HWND>(wParam));
    UnhookWindowsHookEx(std::exchange(g_sheetHook, nullptr));
    return 0;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

INT_PTR CPropertySheet::DoModal() {
  std::vector<PROPSHEETPAGEW> pages;
  for (CPropertyPage* pPage : m_pages) pages.push_back(pPage->m_psp);
  m_psh.pszCaption = m_strCaption.c_str();
  m_psh.nPages = static_cast<UINT>(pages.size());
  m_psh.ppsp = pages.data();
  const CWnd* pOwner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  m_psh.hwndParent = pOwner ? pOwner->m_hWnd : nullptr;

  g_pSheetInit = this;
  g_sheetHook = SetWindowsHookExW(WH_CBT, CatchSheetWindow, nullptr, GetCurrentThreadId());
  const INT_PTR result = PropertySheetW(&m_psh);
  if (g_sheetHook) UnhookWindowsHookEx(std::exchange(g_sheetHook, nullptr));
  g_pSheetInit = nullptr;
  // The platform answers 0 for a cancelled sheet and a positive value for a confirmed one.
  return result < 0 ? -1 : result == 0 ? IDCANCEL : IDOK;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DPICHANGED) return OnDpiChanged(wParam, lParam);
  if (message != WM_INITDIALOG) return CWnd::WindowProc(message, wParam, lParam);
  m_scale.Start(platform::WindowDpi(m_hWnd));
  platform::LeaveDialogScalingToProgram(m_hWnd);
  const LRESULT result = Default();  // the platform makes the tabs, first page and buttons
  CenterOverOwner(m_hWnd);
  OnInitDialog();
  return result;
}

BOOL CPropertySheet::OnInitDialog() { return TRUE; }

LRESULT CPropertySheet::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  if (m_font.points == 0) {
    m_font =
        FontAtDpi(reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0)), m_scale.Dpi());
  }
  m_scale.Follow(m_hWnd, m_font, LOWORD(wParam));
  MoveToSuggestedRect(m_hWnd, lParam);
  return 0;
}
