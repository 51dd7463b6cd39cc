#pragma once

#include "framework/wnd.h"

// Places a window centred over its owner, kept inside the work area: a window that opens at its
// owner's corner looks misplaced.
void CenterOverOwner(HWND hwnd);

// A window made from a dialog template of the program's resources. Run modal with DoModal, or
// modeless with Create (tests drive windows that way).
class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

  // Runs the window in its own modal loop and answers what EndDialog was given, or -1 when the
  // window could not be made. Without a parent the main window owns it.
  virtual INT_PTR DoModal();
  // Makes the window modeless and visible as its template says; false when it could not be made.
  bool Create();
  void EndDialog(int nResult);

 protected:
  // Writes the members into the controls. Answers whether the system should set the focus.
  virtual BOOL OnInitDialog();
  // The default button (IDOK): reads the controls into the members and ends the window.
  virtual void OnOK();
  // Escape, the close box, IDCANCEL: ends the window without reading anything.
  virtual void OnCancel();

  // Binds this object to the window at its WM_INITDIALOG and initialises it.
  BOOL TakeOver(HWND hwnd, WPARAM focusControl);

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

  DECLARE_MESSAGE_MAP()

 private:
  static INT_PTR CALLBACK StaticDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  const DLGTEMPLATE* LoadTemplate() const;
  HWND OwnerWindow() const;
};
