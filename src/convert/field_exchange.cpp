#include "convert/field_exchange.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "convert/number_text.h"
#include "platform/platform.h"

namespace {

// The text a field shows for value: empty when it has no number text.
std::string NumberTextOf(double value) {
  char text[kNumberTextCapacity];
  return FormatNumber(value, text, sizeof text) ? text : "";
}

}  // namespace

void WriteNumberField(HWND control, double value) {
  const std::string text = NumberTextOf(value);  // ASCII only
  SetWindowTextW(control, std::wstring(text.begin(), text.end()).c_str());
}

std::string ReadFieldText(HWND control, int maxChars) {
  const int length = std::min(GetWindowTextLengthW(control), maxChars);
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  wide.resize(static_cast<std::size_t>(GetWindowTextW(control, wide.data(), length + 1)));
  std::string text;
  for (const wchar_t c : wide) text += c < 0x80 ? static_cast<char>(c) : '\x7f';
  return text;
}

double ReadNumberField(HWND control, bool& valid) {
  const NumberReading reading = ReadNumberText(ReadFieldText(control, kFieldReadLimit));
  valid = reading.valid;
  return reading.value;
}

void DDX_Number(CDataExchange* pDX, int controlId, double& value) {
  const HWND control = pDX->PrepareCtrl(controlId);
  bool valid = false;
  const double shown = ReadNumberField(control, valid);
  if (pDX->m_bSaveAndValidate) {
    if (!valid) {
      platform::Beep();
      WriteNumberField(control, value);
    } else if (SendMessageW(control, EM_GETMODIFY, 0, 0)) {
      // Only a text the user wrote is read. One the program wrote (which clears the modify flag)
      // keeps its member's exact value: read back, eight decimals would round it, and a field
      // left empty for a value too large to show (or for none) would turn it into 0.
      value = shown;
    }
    return;
  }
  // A NaN member cannot be shown: it always clears its field rather than leaving an old number.
  // An invalid text ("1.#INF0000") stands for no value, so it never stays for a member of 0.
  if (std::isnan(value) || !valid || shown != value) WriteNumberField(control, value);
}

void DDX_IntRange(CDataExchange* pDX, int controlId, int& value, int upper, int lower) {
  const HWND dialog = pDX->m_pDlgWnd->m_hWnd;
  BOOL translated = FALSE;
  const UINT shown = GetDlgItemInt(dialog, controlId, &translated, FALSE);
  if (pDX->m_bSaveAndValidate) {
    const int n = static_cast<int>(shown);
    if (translated && lower <= n && n < upper) {
      value = n;
    } else {
      platform::Beep();
      SetDlgItemInt(dialog, controlId, static_cast<UINT>(value), FALSE);
      SendMessageW(pDX->PrepareCtrl(controlId), EM_SETSEL, 0, -1);
    }
    return;
  }
  if (shown != static_cast<UINT>(value)) SetDlgItemInt(dialog, controlId, static_cast<UINT>(value), FALSE);
}

void DDX_ByteRange(CDataExchange* pDX, int controlId, std::uint8_t& value, int upper, int lower) {
  int wide = value;
  DDX_IntRange(pDX, controlId, wide, upper, lower);
  value = static_cast<std::uint8_t>(wide);
}

HWND CreateUpDown(DWORD style, int x, int y, int cx, int cy, HWND parent, int id,
                  HINSTANCE instance, HWND buddy, int upper, int lower, int pos) {
  const HWND control = CreateWindowExW(
      0, UPDOWN_CLASSW, L"", style | WS_CHILD | WS_VISIBLE | WS_BORDER, x, y, cx, cy, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (!control) return nullptr;
  SendMessageW(control, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageW(control, UDM_SETRANGE, 0, MAKELONG(upper, lower));
  SendMessageW(control, UDM_SETPOS, 0, MAKELONG(pos, 0));
  return control;
}

int CALLBACK EnumRasterFontProc(const LOGFONTW* logFont, const TEXTMETRICW*, DWORD fontType,
                                LPARAM param) {
  if (!(fontType & RASTER_FONTTYPE)) return 1;
  *reinterpret_cast<LOGFONTW*>(param) = *logFont;
  return 0;
}

namespace {

// A raster member of the family whose cell is lfHeight pixels tall.
struct RasterOfHeight {
  LONG height;
  LOGFONTW found;
};

int CALLBACK EnumRasterOfHeightProc(const LOGFONTW* logFont, const TEXTMETRICW*, DWORD fontType,
                                    LPARAM param) {
  auto& wanted = *reinterpret_cast<RasterOfHeight*>(param);
  if (!(fontType & RASTER_FONTTYPE) || std::abs(logFont->lfHeight) != wanted.height) return 1;
  wanted.found = *logFont;
  return 0;
}

}  // namespace

UniqueFont CreateRasterFont(const wchar_t* family, UINT dpi) {
  LOGFONTW found{};
  const ClientDC screen(nullptr);
  if (!screen.get() ||
      platform::EnumFontFamily(screen.get(), family, EnumRasterFontProc,
                               reinterpret_cast<LPARAM>(&found)) != 0 ||
      found.lfFaceName[0] == L'\0') {
    return {};
  }
  // The first member is the design's size at 96 DPI; a raster face has only the sizes it was drawn
  // at, so another scale takes the member of the scaled height or none.
  if (dpi != USER_DEFAULT_SCREEN_DPI) {
    RasterOfHeight wanted{
        MulDiv(std::abs(found.lfHeight), static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI), {}};
    if (platform::EnumFontFamily(screen.get(), family, EnumRasterOfHeightProc,
                                 reinterpret_cast<LPARAM>(&wanted)) != 0) {
      return {};
    }
    found = wanted.found;
  }
  return UniqueFont(CreateFontIndirectW(&found));
}
