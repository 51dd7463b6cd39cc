#include "panel/ralimet_view.h"

#include <cstdlib>

#include "app/ralimet_app.h"
#include "calendar/date_dlg.h"
#include "framework/platform.h"
#include "panel/about_dlg.h"
#include "res/resource.h"
#include "sizes/dress_sheet.h"
#include "units/converter_windows.h"
#include "units/speed_dlg.h"
#include "worldtime/world_time_dlg.h"

IMPLEMENT_DYNCREATE(CRalimetView, CView)

namespace {

struct PanelButtonPlace {
  POINT topLeft;
  UINT normal, highlighted, pressed;  // bitmaps of set 0
};

// Index order is the arrow keys' order: left column top to bottom, right column top to bottom,
// then the two small buttons.
constexpr PanelButtonPlace kPanel[CRalimetView::kButtonCount] = {
    {{10, 90}, 159, 176, 177},    // area
    {{10, 140}, 160, 178, 179},   // date
    {{10, 190}, 162, 180, 192},   // clothing sizes
    {{10, 240}, 165, 182, 183},   // speed
    {{10, 290}, 169, 186, 187},   // world time
    {{145, 90}, 163, 181, 193},   // length
    {{145, 140}, 149, 146, 148},  // time duration
    {{145, 190}, 166, 184, 185},  // temperature
    {{145, 240}, 167, 188, 189},  // volume
    {{145, 290}, 168, 190, 191},  // weight
    {{15, 353}, 170, 194, 197},   // About
    {{153, 353}, 171, 195, 196},  // exit
};

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

int ApplicationBitmapBase() {
  const auto* pApp = dynamic_cast<const CRalimetApp*>(AfxGetApp());
  return pApp ? pApp->m_nBitmapBase : 0;
}

}  // namespace

CRalimetView::CRalimetView() : m_nBitmapBase(ApplicationBitmapBase()) {
  const HINSTANCE module = AfxGetResourceHandle();
  const HRSRC wave = FindResourceW(module, MAKEINTRESOURCEW(IDR_CLICK), L"WAVE");
  m_hWaveRes = wave ? LoadResource(module, wave) : nullptr;
  const void* sound = m_hWaveRes ? LockResource(m_hWaveRes) : nullptr;

  m_hPalette.reset(CPanelButton::LoadDibPalette(IDB_PANEL + m_nBitmapBase));
  for (int n = 0; n < kButtonCount; ++n) {
    const PanelButtonPlace& place = kPanel[n];
    m_pButtons[n] = std::make_unique<CPanelButton>(place.topLeft, place.normal,
                                                   place.highlighted, place.pressed,
                                                   m_hPalette.get(), sound, m_nBitmapBase);
  }
}

CRalimetView::~CRalimetView() {
  m_hPalette.reset();
  for (auto& button : m_pButtons) button.reset();
  // The sound may still be playing from the resource image; stop it before the image goes.
  platform::StopSound();
  // Resource memory stays with the module: there is nothing to unlock or free.
}

bool CRalimetView::PreCreateWindow(CREATESTRUCTW& cs) { return CView::PreCreateWindow(cs); }

void CRalimetView::OnDraw(HDC) {}

int CRalimetView::OnCreate(CREATESTRUCTW* pCreateStruct) {
  return CView::OnCreate(pCreateStruct) == -1 ? -1 : 0;
}

void CRalimetView::OnPaint() {
  PaintDC dc(m_hWnd);
  if (const BITMAPINFOHEADER* panel = FindPackedBitmap(IDB_PANEL + m_nBitmapBase)) {
    if (m_hPalette) {
      SelectPalette(dc.get(), m_hPalette.get(), FALSE);
      RealizePalette(dc.get());
    }
    DrawPackedBitmap(dc.get(), panel, 0, 0, panel->biWidth, std::abs(panel->biHeight));
  }
  for (const auto& button : m_pButtons) button->Draw(dc.get());
}

void CRalimetView::RedrawButton(int n) {
  ClientDC dc(m_hWnd);
  m_pButtons[n]->Draw(dc.get());
}

void CRalimetView::SetButtonState(int n, std::uint8_t state) {
  if (m_pButtons[n]->SetState(state)) RedrawButton(n);
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
    m_pButtons[n]->SetState(CPanelButton::kPressed);
    RedrawButton(n);
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
      m_nHot = m_nPressed;
    }
  } else {
    for (int n = 0; n < kButtonCount; ++n) {
      if (m_pButtons[n]->HitTest(point)) {
        SetButtonState(n, CPanelButton::kHighlighted);
        m_nHot = n;
      } else {
        SetButtonState(n, CPanelButton::kNormal);
      }
    }
  }
  CView::OnMouseMove(flags, point);
}

void CRalimetView::OnLButtonUp(UINT flags, POINT point) {
  if (m_nPressed >= 0) {
    if (m_pButtons[m_nPressed]->HitTest(point)) {
      if (m_pButtons[m_nPressed]->SetState(CPanelButton::kHighlighted)) {
        RedrawButton(m_nPressed);
        RunButton(m_nPressed);
      }
      m_nHot = m_nPressed;
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
    SetButtonState(m_nHot, CPanelButton::kNormal);
    m_nHot = (m_nHot + step + kButtonCount) % kButtonCount;
  } else {
    m_nHot = step > 0 ? 0 : kButtonCount - 1;
  }
  SetButtonState(m_nHot, CPanelButton::kHighlighted);
}

void CRalimetView::RunButton(int n) {
  if (n == kExitButton) {
    PostQuitMessage(1);
  } else if (n >= 0 && n < kExitButton && kButtonWindows[n]) {
    kButtonWindows[n]();
  }
}
