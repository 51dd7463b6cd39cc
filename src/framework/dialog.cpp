#include "framework/dialog.h"

#include <algorithm>

#include "framework/resources.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

const CommandRoute CDialog::kRoutes[] = {
    Command(BN_CLICKED, IDOK, &CDialog::OnOK),
    Command(BN_CLICKED, IDCANCEL, &CDialog::OnCancel),
};
const MessageMap CDialog::kMessageMap{&CCmdTarget::kMessageMap, kRoutes};

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

const DLGTEMPLATE* CDialog::LoadTemplate() const {
  const auto bytes = FindResourceBytes(m_nIDTemplate, RT_DIALOG);
  return bytes.size() >= sizeof(DLGTEMPLATE) ? reinterpret_cast<const DLGTEMPLATE*>(bytes.data())
                                             : nullptr;
}

HWND CDialog::OwnerWindow() const {
  if (m_pParentWnd) return m_pParentWnd->m_hWnd;
  const CWnd* pMain = AfxGetMainWnd();
  return pMain ? pMain->m_hWnd : nullptr;
}

INT_PTR CDialog::DoModal() {
  const DLGTEMPLATE* dialogTemplate = LoadTemplate();
  if (!dialogTemplate) return -1;
  return DialogBoxIndirectParamW(AfxGetResourceHandle(), dialogTemplate, OwnerWindow(),
                                 StaticDlgProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create() {
  const DLGTEMPLATE* dialogTemplate = LoadTemplate();
  if (!dialogTemplate) return false;
  return CreateDialogIndirectParamW(AfxGetResourceHandle(), dialogTemplate, OwnerWindow(),
                                    StaticDlgProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

// The dialog manager's procedure sees the window first. At WM_INITDIALOG the object takes the
// window over; from then on every message goes through WindowProc, and Default() hands it back
// to the dialog manager, which asks this procedure again and is told to go on by itself.
INT_PTR CALLBACK CDialog::StaticDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  auto* pDialog = reinterpret_cast<CDialog*>(lParam);
  CenterOverOwner(hwnd);
  return pDialog->TakeOver(hwnd, wParam);
}

BOOL CDialog::TakeOver(HWND hwnd, WPARAM) {
  SubclassWindow(hwnd);
  return OnInitDialog();
}

void CenterOverOwner(HWND hwnd) {
  const HWND owner = GetWindow(hwnd, GW_OWNER);
  if (!owner) return;
  RECT ownerRect, rect, work;
  GetWindowRect(owner, &ownerRect);
  GetWindowRect(hwnd, &rect);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const LONG width = rect.right - rect.left;
  const LONG height = rect.bottom - rect.top;
  const LONG x = std::clamp((ownerRect.left + ownerRect.right - width) / 2, work.left,
                            std::max(work.left, work.right - width));
  const LONG y = std::clamp((ownerRect.top + ownerRect.bottom - height) / 2, work.top,
                            std::max(work.top, work.bottom - height));
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDialog::OnInitDialog() {
  UpdateData(false);
  return TRUE;
}

void CDialog::OnOK() {
  UpdateData(true);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
