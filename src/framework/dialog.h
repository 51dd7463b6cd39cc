#pragma once

#include <span>
#include <string>
#include <vector>

#include "framework/handles.h"
#include "framework/wnd.h"

// Places a window centred over its owner, kept inside the work area: a window that opens at its
// owner's corner looks misplaced.
void CenterOverOwner(HWND hwnd);

// What a dialog's font is made from: its template's face and size in points.
struct DialogFont {
  std::wstring face;
  int points = 0;
  int weight = FW_NORMAL;
  bool italic = false;
  BYTE charset = DEFAULT_CHARSET;

  // The font at a display scale, as the dialog manager makes it: an em of points / 72 inch.
  UniqueFont Create(UINT dpi) const;
};
// The font a dialog template names (DIALOG or DIALOGEX); none (points 0) when it names none or
// the bytes are not a whole template.
DialogFont TemplateFont(std::span<const std::byte> dialogTemplate);
// The face and size in points of a font made for a display scale.
DialogFont FontAtDpi(HFONT font, UINT dpi);

// A dialog window following its screen from one display scale to another: its controls keep
// their places and sizes in proportion to the scale they were made at, and draw with the dialog's
// font made anew for the scale. A child dialog (a page) follows on its own, through its object.
class DialogScale {
 public:
  // The scale the window was made at.
  void Start(UINT dpi) { m_dpi = dpi; }
  UINT Dpi() const { return m_dpi; }
  // Lays out window's controls for dpi and gives them the font made for it.
  void Follow(HWND window, const DialogFont& font, UINT dpi);
  // The controls' font; null while the window keeps the one it was made with.
  HFONT Font() const { return m_font.get(); }

 private:
  struct Placed {
    HWND control;
    RECT rect;  // in the parent's client area
    UINT dpi;   // the scale rect was laid out for
  };
  const Placed& PlacedAt(HWND control);

  UINT m_dpi = USER_DEFAULT_SCREEN_DPI;
  std::vector<Placed> m_placed;  // each control as first seen
  UniqueFont m_font;
};

// Moves a window to the rectangle that WM_DPICHANGED suggests (its lParam).
void MoveToSuggestedRect(HWND hwnd, LPARAM dpiChangedLParam);

// A window made from a dialog template of the program's resources. Run modal with DoModal, or
// modeless with Create (tests drive windows that way).
class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)

 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  // The controls go before the font they draw with.
  ~CDialog() override { DestroyWindow(); }

  // Runs the window in its own modal loop and answers what EndDialog was given, or -1 when the
  // window could not be made. Without a parent the main window owns it.
  virtual INT_PTR DoModal();
  // Makes the window modeless and visible as its template says; false when it could not be made.
  bool Create();
  void EndDialog(int nResult);

  // Lays the window's controls out for another display scale with the template's font made for
  // it (the window's own frame is the caller's: the suggested rectangle or the sheet's layout).
  void FollowDpi(UINT dpi);
  // The font the controls are given: the template's at the window's scale.
  HFONT GetDialogFont() const;

 protected:
  // Writes the members into the controls. Answers whether the system should set the focus.
  virtual BOOL OnInitDialog();
  // The default button (IDOK): reads the controls into the members and ends the window.
  virtual void OnOK();
  // Escape, the close box, IDCANCEL: ends the window without reading anything.
  virtual void OnCancel();

  // For a window that gives some controls fonts of its own: makes them anew for dpi, after the
  // dialog's font has been.
  virtual void OnDpiFontsChanged(UINT /*dpi*/) {}

  // Binds this object to the window at its WM_INITDIALOG and initialises it.
  BOOL TakeOver(HWND hwnd, WPARAM focusControl);

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

  DECLARE_MESSAGE_MAP()

 private:
  static INT_PTR CALLBACK StaticDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  const DLGTEMPLATE* LoadTemplate() const;
  HWND OwnerWindow() const;
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

  DialogScale m_scale;
};
