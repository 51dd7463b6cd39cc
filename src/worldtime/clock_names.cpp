#include "worldtime/clock_names.h"

#include <string>

#include "accessibility/control_names.h"
#include "res/resource.h"

namespace {

constexpr wchar_t kFirstPlaceName[] = L"البلد الأول";
constexpr wchar_t kSecondPlaceName[] = L"البلد الثاني";
// clang-format off
constexpr ControlName kFixedNames[] = {
    {IDC_WT_LOCAL_TIME,        L"التوقيت المحلي"},
    {IDC_WT_LOCAL_HOUR_SPIN,   L"ساعة التوقيت المحلي"},
    {IDC_WT_LOCAL_MINUTE_SPIN, L"دقيقة التوقيت المحلي"},
    {IDC_WT_FIRST_PLACE,       kFirstPlaceName},
    {IDC_WT_SECOND_PLACE,      kSecondPlaceName},
};
// clang-format on
constexpr wchar_t kClockName[] = L"توقيت ";
constexpr wchar_t kHourName[] = L"ساعة ";
constexpr wchar_t kMinuteName[] = L"دقيقة ";

// The text of a list's chosen row without the spaces some place names end with; empty when no
// row is chosen.
std::wstring ChosenText(HWND list) {
  const auto row = static_cast<WPARAM>(SendMessageW(list, CB_GETCURSEL, 0, 0));
  const auto length = static_cast<int>(SendMessageW(list, CB_GETLBTEXTLEN, row, 0));
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(list, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 && copied <= length ? static_cast<std::size_t>(copied) : 0);
  const std::size_t end = text.find_last_not_of(L' ');
  text.resize(end == std::wstring::npos ? 0 : end + 1);
  return text;
}

}  // namespace

void NameFixedClockControls(HWND dialog) {
  SetAccessibleNames(dialog, kFixedNames);
}

void NamePlaceClock(HWND timeBox, HWND hours, HWND minutes, HWND placeList, bool firstPlace) {
  std::wstring place = ChosenText(placeList);
  if (place.empty()) place = firstPlace ? kFirstPlaceName : kSecondPlaceName;
  const std::wstring name = kClockName + place;
  SetAccessibleName(timeBox, name);
  SetAccessibleName(hours, kHourName + name);
  SetAccessibleName(minutes, kMinuteName + name);
}
