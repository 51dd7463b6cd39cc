#include "framework/dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "framework/resources.h"
#include "platform/platform.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

const CommandRoute CDialog::kRoutes[] = {
    Command(BN_CLICKED, IDOK, &CDialog::OnOK),
    Command(BN_CLICKED, IDCANCEL, &CDialog::OnCancel),
    OnMessage(WM_DPICHANGED, &CDialog::OnDpiChanged),
};
const MessageMap CDialog::kMessageMap{&CCmdTarget::kMessageMap, kRoutes};

namespace {

constexpr int kPointsPerInch = 72;

// Reads a dialog template's fields in order; past its end it reads zeros and is no longer ok.
class TemplateReader {
 public:
  explicit TemplateReader(std::span<const std::byte> bytes) : m_bytes(bytes) {}
  bool ok() const { return m_ok; }

  template <class T>
  T Read() {
    T value{};
    if (m_at + sizeof value > m_bytes.size()) {
      m_ok = false;
      return value;
    }
    std::memcpy(&value, m_bytes.data() + m_at, sizeof value);
    m_at += sizeof value;
    return value;
  }
  void Skip(std::size_t count) {
    m_ok = m_ok && m_at + count <= m_bytes.size();
    m_at = m_ok ? m_at + count : m_bytes.size();
  }
  std::wstring String() {
    std::wstring text;
    while (m_ok) {
      const auto c = Read<wchar_t>();
      if (c == L'\0') break;
      text += c;
    }
    return text;
  }
  // A menu or window class: nothing, an ordinal after 0xFFFF, or a name.
  void SkipNameOrOrdinal() {
    const auto first = Read<WORD>();
    if (first == 0xFFFF) {
      Read<WORD>();
    } else if (first != 0) {
      String();
    }
  }

 private:
  std::span<const std::byte> m_bytes;
  std::size_t m_at = 0;
  bool m_ok = true;
};

}  // namespace

DialogFont TemplateFont(std::span<const std::byte> dialogTemplate) {
  TemplateReader in(dialogTemplate);
  const bool extended = in.Read<WORD>() == 1 && in.Read<WORD>() == 0xFFFF;
  DWORD style = 0;
  if (extended) {
    in.Skip(sizeof(DWORD) * 2);  // help id, extended style
    style = in.Read<DWORD>();
  } else {
    in = TemplateReader(dialogTemplate);
    style = in.Read<DWORD>();
    in.Skip(sizeof(DWORD));  // extended style
  }
  in.Skip(sizeof(WORD) * 5);  // the count of controls, x, y, cx, cy
  in.SkipNameOrOrdinal();     // menu
  in.SkipNameOrOrdinal();     // class
  in.String();                // caption
  if (!(style & DS_SETFONT)) return {};
  DialogFont font;
  font.points = in.Read<WORD>();
  if (extended) {
    font.weight = in.Read<WORD>();
    font.italic = in.Read<BYTE>() != 0;
    font.charset = in.Read<BYTE>();
  }
  font.face = in.String();
  return in.ok() ? font : DialogFont{};
}

DialogFont FontAtDpi(HFONT font, UINT dpi) {
  LOGFONTW logFont{};
  if (!font || !dpi || !GetObjectW(font, sizeof logFont, &logFont)) return {};
  return {logFont.lfFaceName,
          MulDiv(std::abs(logFont.lfHeight), kPointsPerInch, static_cast<int>(dpi)),
          static_cast<int>(logFont.lfWeight), logFont.lfItalic != 0, logFont.lfCharSet};
}

UniqueFont DialogFont::Create(UINT dpi) const {
  if (points <= 0 || face.empty()) return {};
  LOGFONTW logFont{};
  logFont.lfHeight = -MulDiv(points, static_cast<int>(dpi), kPointsPerInch);
  logFont.lfWeight = weight;
  logFont.lfItalic = italic;
  logFont.lfCharSet = charset;
  face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
  return UniqueFont(CreateFontIndirectW(&logFont));
}

// A control's place in its parent's client area; a combo box's height with its list dropped, as
// the height it is moved with means.
const DialogScale::Placed& DialogScale::PlacedAt(HWND control) {
  const auto known = std::find_if(m_placed.begin(), m_placed.end(),
                                  [control](const Placed& p) { return p.control == control; });
  if (known != m_placed.end()) return *known;
  RECT rect;
  GetWindowRect(control, &rect);
  wchar_t cls[16] = {};
  GetClassNameW(control, cls, 16);
  RECT dropped;
  if (!_wcsicmp(cls, WC_COMBOBOXW) &&
      SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped))) {
    rect.bottom = rect.top + (dropped.bottom - dropped.top);
  }
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return m_placed.emplace_back(Placed{control, rect, m_dpi});
}

void DialogScale::Follow(HWND window, const DialogFont& font, UINT dpi) {
  if (!dpi || dpi == m_dpi) return;
  UniqueFont made = font.Create(dpi);
  for (HWND control = GetWindow(window, GW_CHILD); control;
       control = GetWindow(control, GW_HWNDNEXT)) {
    const Placed placed = PlacedAt(control);
    const auto scaled = [&](LONG pixels) {
      return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(placed.dpi));
    };
    const RECT& r = placed.rect;
    if (auto* pPage = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(control))) {
      pPage->FollowDpi(dpi);
    } else if (made) {
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), FALSE);
    }
    SetWindowPos(control, nullptr, scaled(r.left), scaled(r.top), scaled(r.right) - scaled(r.left),
                 scaled(r.bottom) - scaled(r.top), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  m_dpi = dpi;
  if (made) m_font = std::move(made);  // the old font goes once no control draws with it
  InvalidateRect(window, nullptr, TRUE);
}

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
  m_scale.Start(platform::WindowDpi(hwnd));
  platform::LeaveDialogScalingToProgram(hwnd);
  return OnInitDialog();
}

void CDialog::FollowDpi(UINT dpi) {
  m_scale.Follow(m_hWnd, TemplateFont(FindResourceBytes(m_nIDTemplate, RT_DIALOG)), dpi);
  OnDpiFontsChanged(dpi);
}

HFONT CDialog::GetDialogFont() const {
  return m_scale.Font() ? m_scale.Font()
                        : reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
}

// The window moved to a screen of another scale (or the scale changed): the system suggests its
// new rectangle.
LRESULT CDialog::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  FollowDpi(LOWORD(wParam));
  MoveToSuggestedRect(m_hWnd, lParam);
  return 0;
}

void MoveToSuggestedRect(HWND hwnd, LPARAM dpiChangedLParam) {
  if (const auto* suggested = reinterpret_cast<const RECT*>(dpiChangedLParam)) {
    SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
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
