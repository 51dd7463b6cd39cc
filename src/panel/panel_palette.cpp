#include "panel/panel_palette.h"

#include "framework/handles.h"
#include "panel/ralimet_view.h"

bool RealizePanelPalette(CWnd* pWnd, CFrameWnd* pFrame) {
  const auto* pView = pFrame ? dynamic_cast<const CRalimetView*>(pFrame->GetActiveView()) : nullptr;
  if (!pView || !pView->GetPalette() || !pWnd) return false;

  ClientDC dc(pWnd->m_hWnd);
  const bool background = AfxGetCurrentMessage()->message == WM_PALETTECHANGED;
  UINT changed = 0;
  {
    ScopedSelectPalette select(dc.get(), pView->GetPalette(), background);
    changed = RealizePalette(dc.get());
  }
  // A failed realisation (GDI_ERROR) leaves the mapping unknown: repainting is the safe answer.
  if (changed == 0) return false;
  InvalidateRect(pFrame->m_hWnd, nullptr, TRUE);
  return true;
}
