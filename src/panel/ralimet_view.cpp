#include "panel/ralimet_view.h"

#include "calendar/date_dlg.h"
#include "framework/create_failure.h"
#include "framework/resources.h"
#include "panel/about_dlg.h"
#include "panel/panel_accessible.h"
#include "pictures/picture_set.h"
#include "platform/platform.h"
#include "res/resource.h"
#include "sizes/dress_sheet.h"
#include "units/converter_windows.h"
#include "units/speed_dlg.h"
#include "worldtime/world_time_dlg.h"

IMPLEMENT_DYNCREATE(CRalimetView, CView)

namespace {

// Posted to the view to click a button (wParam) once the caller has been answered.
constexpr UINT WM_CLICKBUTTON = WM_APP + 1;

// Runs a window of the panel on this stack, owned by the main window, until it closes.
template <class Window>
void RunModal() {
  Window window;
  window.DoModal();
}

// What each button opens.
constexpr void (*kButtonWindows[CRalimetView::kExitButton])() = {
    RunModal<CAreaDlg>,      RunModal<CDateDlg>,   RunModal<CDlgDress>, RunModal<CSpeedDlg>,
    RunModal<CWorldTimeDlg>, RunModal<CLengthDlg>, RunModal<CTimeDlg>,  RunModal<CTempDlg>,
    RunModal<CVolumeDlg>,    RunModal<CWeightDlg>, RunModal<CAboutDlg>,
};

}  // namespace

const CommandRoute CRalimetView::kRoutes[] = {
    OnMessage(WM_CLICKBUTTON, &CRalimetView::OnClickButton),
    OnMessage(WM_PRINTCLIENT, &CRalimetView::OnPrintClient),
};
const MessageMap CRalimetView::kMessageMap{&CView::kMessageMap, kRoutes};

CRalimetView::CRalimetView()
    : m_pAccessible(std::make_unique<CAccessibleServer>(new CPanelAccessible(*this))) {}

CRalimetView::~CRalimetView() {
  for (auto& button : m_pButtons) button.reset();
  m_pPictures.reset();
  // The sound may still be playing from the resource image; stop it before the image goes.
  platform::StopSound();
  // Resource memory stays with the module: there is nothing to unlock or free.
}

bool CRalimetView::PreCreateWindow(CREATESTRUCTW& cs) {
  return CView::PreCreateWindow(cs);
}

void CRalimetView::SetScale(Scale scale) {
  m_scale = scale;
  if (m_pPictures) m_pPictures->SetScale(scale);
  for (const auto& button : m_pButtons) {
    if (button) button->SetScale(scale);
  }
  InvalidateRect(m_hWnd, nullptr, TRUE);
}

HPALETTE CRalimetView::GetPalette() const {
  return m_pPictures ? m_pPictures->GetPalette() : nullptr;
}

int CRalimetView::OnCreate(CREATESTRUCTW* pCreateStruct) {
  if (CView::OnCreate(pCreateStruct) == -1) return -1;
  // A panel without its pictures or its palette would be a blank window with buttons nobody can
  // see: the start stops and says which.
  m_pPictures = std::make_unique<CPictureSet>();
  const BITMAPINFOHEADER* panel = m_pPictures->Find(IDB_PANEL);
  if (!panel) {
    AfxNoteCreateFailure(CreateStep::kViewPictures);
    return -1;
  }
  if (!m_pPictures->GetPalette() && panel->biBitCount <= 8) {
    AfxNoteCreateFailure(CreateStep::kPalette);
    return -1;
  }
  const void* sound = FindResourceBytes(IDR_CLICK, L"WAVE").data();
  for (int n = 0; n < kButtonCount; ++n) {
    const panel::ButtonPlace& place = panel::kButtons[n];
    m_pButtons[n] = std::make_unique<CPanelButton>(place.topLeft, place.normal, place.highlighted,
                                                   place.pressed, sound, m_pPictures->GetBase());
    if (!m_pButtons[n]->HasFaces()) {
      AfxNoteCreateFailure(CreateStep::kViewPictures);
      return -1;
    }
  }
  SetScale(Scale{platform::WindowDpi(m_hWnd)});
  return 0;
}

// Asked to draw into another's device context (PrintWindow, a magnifier, an animation): the same
// picture as on the screen.
LRESULT CRalimetView::OnPrintClient(WPARAM wParam, LPARAM) {
  OnDraw(reinterpret_cast<HDC>(wParam));
  return 0;
}

void CRalimetView::OnDraw(HDC hdc) {
  if (!m_pPictures) return;
  // Selected for this drawing only: the device context may be another's (WM_PRINTCLIENT).
  const ScopedSelectPalette palette(hdc, GetPalette(), false);
  RealizePalette(hdc);
  if (const BITMAPINFOHEADER* panel = m_pPictures->Find(IDB_PANEL))
    DrawPackedBitmap(hdc, panel, m_scale(RECT{0, 0, panel::kDesignSize.cx, panel::kDesignSize.cy}));
  for (const auto& button : m_pButtons) button->Draw(hdc, *m_pPictures);
}

const wchar_t* CRalimetView::GetCaption(int n) {
  return panel::kButtons[n].caption;
}

void CRalimetView::RedrawButton(int n) {
  ClientDC dc(m_hWnd);
  const ScopedSelectPalette palette(dc.get(), GetPalette(), false);
  RealizePalette(dc.get());
  m_pButtons[n]->Draw(dc.get(), *m_pPictures);
}

bool CRalimetView::SetButtonState(int n, std::uint8_t state) {
  if (!m_pButtons[n]->SetState(state)) return false;
  RedrawButton(n);
  NotifyReaders(EVENT_OBJECT_STATECHANGE, n);
  return true;
}

void CRalimetView::NotifyReaders(DWORD event, int n) const {
  NotifyWinEvent(event, m_hWnd, OBJID_CLIENT, n >= 0 ? n + 1 : CHILDID_SELF);
}

void CRalimetView::SetHot(int n) {
  if (n == m_nHot) return;
  m_nHot = n;
  if (!HasFocus()) return;
  NotifyReaders(EVENT_OBJECT_FOCUS, n);
  NotifyReaders(EVENT_OBJECT_SELECTION, n);
}

int CRalimetView::ButtonAt(POINT point) const {
  for (int n = 0; n < kButtonCount; ++n) {
    if (m_pButtons[n]->HitTest(point)) return n;
  }
  return -1;
}

void CRalimetView::OnLButtonDown(UINT flags, POINT point) {
  if (const int n = ButtonAt(point); n >= 0) {
    m_nPressed = n;
    // Drawn at once, even when it was pressed already.
    if (!SetButtonState(n, CPanelButton::kPressed)) RedrawButton(n);
  }
  CView::OnLButtonDown(flags, point);
}

void CRalimetView::OnMouseMove(UINT flags, POINT point) {
  // The view does not capture the mouse: a button released outside it is never seen, and the
  // press it ended is dropped at the next move over the view.
  if (!(flags & MK_LBUTTON) && m_nPressed >= 0) m_nPressed = -1;

  if (m_nPressed >= 0) {
    if (m_pButtons[m_nPressed]->HitTest(point)) {
      SetButtonState(m_nPressed, CPanelButton::kPressed);
    } else {
      SetButtonState(m_nPressed, CPanelButton::kHighlighted);
      SetHot(m_nPressed);
    }
  } else {
    for (int n = 0; n < kButtonCount; ++n) {
      SetButtonState(
          n, m_pButtons[n]->HitTest(point) ? CPanelButton::kHighlighted : CPanelButton::kNormal);
    }
    if (const int n = ButtonAt(point); n >= 0) SetHot(n);
  }
  CView::OnMouseMove(flags, point);
}

void CRalimetView::OnLButtonUp(UINT flags, POINT point) {
  if (m_nPressed >= 0) {
    if (m_pButtons[m_nPressed]->HitTest(point)) {
      if (SetButtonState(m_nPressed, CPanelButton::kHighlighted)) RunButton(m_nPressed);
      SetHot(m_nPressed);
    }
    m_nPressed = -1;
  }
  CView::OnLButtonUp(flags, point);
}

void CRalimetView::OnKeyDown(UINT vk, UINT repeatCount, UINT flags) {
  if (vk == VK_RETURN && m_nHot >= 0) RunButton(m_nHot);
  CView::OnKeyDown(vk, repeatCount, flags);
}

void CRalimetView::OnKeyUp(UINT vk, UINT repeatCount, UINT flags) {
  // Moves act on the release, so holding an arrow key moves one step.
  if (vk == VK_LEFT || vk == VK_DOWN) StepHot(1);
  if (vk == VK_UP || vk == VK_RIGHT) StepHot(-1);
  CView::OnKeyUp(vk, repeatCount, flags);
}

void CRalimetView::StepHot(int step) {
  if (m_nHot >= 0) {
    MakeCurrent((m_nHot + step + kButtonCount) % kButtonCount);
  } else {
    MakeCurrent(step > 0 ? 0 : kButtonCount - 1);
  }
}

void CRalimetView::MakeCurrent(int n) {
  if (m_nHot >= 0 && m_nHot != n) SetButtonState(m_nHot, CPanelButton::kNormal);
  SetButtonState(n, CPanelButton::kHighlighted);
  SetHot(n);
}

void CRalimetView::PostClick(int n) {
  PostMessageW(m_hWnd, WM_CLICKBUTTON, static_cast<WPARAM>(n), 0);
}

void CRalimetView::ClickButton(int n) {
  if (n < 0 || n >= kButtonCount || !TakesClicks()) return;
  MakeCurrent(n);
  SetButtonState(n, CPanelButton::kPressed);  // the click sounds, as for a highlighted button
  SetButtonState(n, CPanelButton::kHighlighted);
  RunButton(n);
}

void CRalimetView::OnSetFocus(HWND hwndOld) {
  CView::OnSetFocus(hwndOld);
  NotifyReaders(EVENT_OBJECT_FOCUS, m_nHot);
}

LRESULT CRalimetView::OnGetObject(WPARAM wParam, LPARAM lParam) {
  // The object id is a 32-bit value, whatever the width of lParam.
  if (static_cast<LONG>(lParam) == OBJID_CLIENT && m_pAccessible) {
    return m_pAccessible->Serve(wParam);
  }
  return CView::OnGetObject(wParam, lParam);
}

void CRalimetView::OnDestroy() {
  m_pAccessible.reset();
  CView::OnDestroy();
}

LRESULT CRalimetView::OnClickButton(WPARAM wParam, LPARAM) {
  ClickButton(static_cast<int>(wParam));
  return 0;
}

void CRalimetView::RunButton(int n) {
  if (n == kExitButton) {
    PostQuitMessage(1);
  } else if (n >= 0 && n < kExitButton && kButtonWindows[n]) {
    kButtonWindows[n]();
  }
}
