#include "worldtime/clock_keys.h"

#include <commctrl.h>

namespace {

// An up-down control answers the arrow keys only through its buddy field, and these have none:
// left alone, the dialog manager would take the keys to move the focus, and the focus that the
// time boxes hand over would be of no use. So the spin buttons ask for the arrow keys and step on
// Up and Down as on a click of their arrows: the same UDN_DELTAPOS, then their own position. The
// sideways key toward the clock's other spin button (the subclass's id) moves the focus to it
// (refData).
LRESULT CALLBACK ArrowKeysProc(HWND spin, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR towardPartner, DWORD_PTR partner) {
  switch (message) {
    case WM_GETDLGCODE:
      return DefSubclassProc(spin, message, wParam, lParam) | DLGC_WANTARROWS;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (wParam == towardPartner) {
        if (message == WM_KEYDOWN) SetFocus(reinterpret_cast<HWND>(partner));
        return 0;
      }
      if (wParam != VK_UP && wParam != VK_DOWN) break;
      if (message == WM_KEYDOWN) {
        NMUPDOWN change{};
        change.hdr.hwndFrom = spin;
        change.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(spin));
        change.hdr.code = UDN_DELTAPOS;
        change.iPos = static_cast<int>(SendMessageW(spin, UDM_GETPOS32, 0, 0));
        change.iDelta = wParam == VK_UP ? 1 : -1;
        if (!SendMessageW(GetParent(spin), WM_NOTIFY, change.hdr.idFrom,
                          reinterpret_cast<LPARAM>(&change))) {
          int lower = 0;
          int upper = 0;
          SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                       reinterpret_cast<LPARAM>(&upper));
          const int range = upper - lower + 1;
          const int pos = static_cast<int>(SendMessageW(spin, UDM_GETPOS32, 0, 0));
          if (range > 0) {
            SendMessageW(spin, UDM_SETPOS32, 0, lower + Wrap(pos - lower, change.iDelta, range));
          }
        }
      }
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(spin, ArrowKeysProc, towardPartner);
      break;
  }
  return DefSubclassProc(spin, message, wParam, lParam);
}

}  // namespace

int Wrap(int value, int step, int range) {
  // Wide, so that no step can overflow.
  const long long wrapped = (static_cast<long long>(value) + step) % range;
  return static_cast<int>(wrapped < 0 ? wrapped + range : wrapped);
}

void LetArrowKeysStep(HWND hours, HWND minutes) {
  if (!hours || !minutes) return;
  SetWindowSubclass(hours, ArrowKeysProc, VK_RIGHT, reinterpret_cast<DWORD_PTR>(minutes));
  SetWindowSubclass(minutes, ArrowKeysProc, VK_LEFT, reinterpret_cast<DWORD_PTR>(hours));
}
