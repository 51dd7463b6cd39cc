// The date, world time and clothing windows of ralimet.exe as a screen reader in another process
// names their controls: each control's client object asked for through oleacc, as NVDA and
// Narrator ask, and its get_accName read across the process boundary.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h: the common controls' messages and the module snapshot.
#include <commctrl.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>
#include <set>
#include <string>
#include <vector>

#include "msaa_reader.h"
#include "panel_geometry.h"
#include "program_fixture.h"
#include "res/resource.h"

namespace e2e {
namespace {

using panel::kClothingButton;
using panel::kDateButton;
using panel::kLengthButton;
using panel::kWorldTimeButton;

// What the reader hears of a control: its name, and its value, the system's own.
std::wstring Heard(HWND control, msaa::TextProperty property) {
  const msaa::Object object = msaa::ClientObject(control);
  return object ? msaa::Text(object.get(), property, CHILDID_SELF) : L"<none>";
}
std::wstring NameOf(HWND control) {
  return Heard(control, &IAccessible::get_accName);
}
std::wstring ValueOf(HWND control) {
  return Heard(control, &IAccessible::get_accValue);
}

long RoleOf(HWND control) {
  const msaa::Object object = msaa::ClientObject(control);
  VARIANT role{};
  if (object) object->get_accRole(msaa::Child(CHILDID_SELF), &role);
  return msaa::IdOf(role);
}

// A control a reader lands on: anything visible but the texts and frames that label others.
bool ReaderLandsOn(HWND control) {
  if (!IsWindowVisible(control)) return false;
  const std::wstring kind = ClassOf(control);
  if (_wcsicmp(kind.c_str(), L"Static") == 0) return false;
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  return !(_wcsicmp(kind.c_str(), L"Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX);
}

struct Control {
  HWND hwnd;
  int id;
  std::wstring name;
};

BOOL CALLBACK CollectControl(HWND hwnd, LPARAM lParam) {
  if (ReaderLandsOn(hwnd)) {
    reinterpret_cast<std::vector<Control>*>(lParam)->push_back(
        {hwnd, GetDlgCtrlID(hwnd), NameOf(hwnd)});
  }
  return TRUE;
}

// Every control of a window (its pages' too) that a reader lands on, with the name it hears.
std::vector<Control> ReadControls(HWND window) {
  std::vector<Control> controls;
  EnumChildWindows(window, CollectControl, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

// No control unnamed, no two alike.
void ExpectNamedApart(const std::vector<Control>& controls, const char* window) {
  std::set<std::wstring> seen;
  for (const Control& c : controls) {
    EXPECT_FALSE(c.name.empty() || c.name == L"<null>" || c.name == L"<none>")
        << window << ": control " << c.id << " (" << Utf8(ClassOf(c.hwnd)) << ") has no name";
    EXPECT_TRUE(seen.insert(c.name).second)
        << window << ": two controls are both \"" << Utf8(c.name) << "\"";
  }
}

// Fields named by their labels. Only the name is the program's: a field still reads as text
// holding what it shows.
struct Field {
  int id;
  const wchar_t* name;
};
void ExpectFieldsNamed(HWND window, std::initializer_list<Field> fields) {
  for (const Field& field : fields) {
    const HWND control = GetDlgItem(window, field.id);
    EXPECT_EQ(NameOf(control), field.name) << field.id;
    EXPECT_EQ(RoleOf(control), ROLE_SYSTEM_TEXT) << field.id;
    EXPECT_EQ(ValueOf(control), TextOf(control)) << field.id;
  }
}

// A list's text as it shows it, without the spaces a place name may end with.
std::wstring ShownText(HWND list) {
  std::wstring text = TextOf(list);
  while (!text.empty() && std::iswspace(text.back())) text.pop_back();
  return text;
}

class ReaderNamesTest : public ProgramTest {
 protected:
  void SetUp() override { Launch(); }

  HWND Open(int button) { return m_program.OpenFromPanel(button); }
  void Close(HWND window) { EXPECT_TRUE(CloseByBackButton(window)); }

  // Whether the accessibility library is in the program's process. (COM's own libraries tell
  // nothing: the system's libraries bring them in by themselves a moment after start-up, in
  // Wine as in Windows.)
  bool OleaccLoaded() const {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, m_program.Id());
    EXPECT_NE(snapshot, INVALID_HANDLE_VALUE);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    bool found = false;
    bool sawProgram = false;
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32FirstW(snapshot, &module); more;
         more = Module32NextW(snapshot, &module)) {
      found |= _wcsicmp(module.szModule, L"oleacc.dll") == 0;
      sawProgram |= _wcsicmp(module.szModule, L"ralimet.exe") == 0;
    }
    CloseHandle(snapshot);
    EXPECT_TRUE(sawProgram) << "the snapshot sees the program's modules";
    return found;
  }

  const msaa::Apartment m_apartment;
};

TEST_F(ReaderNamesTest, DateFieldsSayDayMonthOrYearAndTheirCalendar) {
  const HWND date = Open(kDateButton);
  ASSERT_NE(date, nullptr);
  ExpectFieldsNamed(date, {{IDC_GREGORIAN_DAY, L"اليوم الميلادي"},
                           {IDC_GREGORIAN_MONTH, L"الشهر الميلادي"},
                           {IDC_GREGORIAN_YEAR, L"السنة الميلادية"},
                           {IDC_HIJRI_DAY, L"اليوم الهجري"},
                           {IDC_HIJRI_MONTH, L"الشهر الهجري"},
                           {IDC_HIJRI_YEAR, L"السنة الهجرية"},
                           {IDC_WEEKDAY, L"يوم الأسبوع"}});
  // Each up-down is named by the field it steps, and apart from it.
  int upDowns = 0;
  for (const Control& c : ReadControls(date)) {
    if (ClassOf(c.hwnd) != UPDOWN_CLASSW) continue;
    ++upDowns;
    const auto buddy = reinterpret_cast<HWND>(SendMessageW(c.hwnd, UDM_GETBUDDY, 0, 0));
    const std::wstring field = NameOf(buddy);
    EXPECT_NE(c.name.find(field), std::wstring::npos) << Utf8(c.name) << " / " << Utf8(field);
  }
  EXPECT_EQ(upDowns, 6);
  ExpectNamedApart(ReadControls(date), "date");
  Close(date);
}

TEST_F(ReaderNamesTest, WorldTimeClocksSayWhichPlaceTheyShowAfterEveryChoice) {
  const HWND window = Open(kWorldTimeButton);
  ASSERT_NE(window, nullptr);
  const auto item = [&](int id) { return GetDlgItem(window, id); };
  EXPECT_EQ(NameOf(item(IDC_WT_LOCAL_TIME)), L"التوقيت المحلي");
  EXPECT_EQ(NameOf(item(IDC_WT_LOCAL_HOUR_SPIN)), L"ساعة التوقيت المحلي");
  EXPECT_EQ(NameOf(item(IDC_WT_LOCAL_MINUTE_SPIN)), L"دقيقة التوقيت المحلي");
  EXPECT_EQ(NameOf(item(IDC_WT_FIRST_PLACE)), L"البلد الأول");
  EXPECT_EQ(NameOf(item(IDC_WT_SECOND_PLACE)), L"البلد الثاني");

  struct Place {
    int list, time, hour, minute;
  };
  const Place first{IDC_WT_FIRST_PLACE, IDC_WT_FIRST_TIME, IDC_WT_FIRST_HOUR_SPIN,
                    IDC_WT_FIRST_MINUTE_SPIN};
  const Place second{IDC_WT_SECOND_PLACE, IDC_WT_SECOND_TIME, IDC_WT_SECOND_HOUR_SPIN,
                     IDC_WT_SECOND_MINUTE_SPIN};
  const auto expectNamedFor = [&](const Place& p, const std::wstring& place, const char* step) {
    const std::wstring clock = L"توقيت " + place;
    EXPECT_EQ(NameOf(item(p.time)), clock) << step;
    EXPECT_EQ(NameOf(item(p.hour)), L"ساعة " + clock) << step;
    EXPECT_EQ(NameOf(item(p.minute)), L"دقيقة " + clock) << step;
  };
  // Whatever places were kept from an earlier run: as their lists show them.
  expectNamedFor(first, ShownText(item(first.list)), "first place at start");
  expectNamedFor(second, ShownText(item(second.list)), "second place at start");

  // A choice with the keyboard: the row before, then the down arrow (which the list reports).
  // The last choices are the places a new user starts with, so the kept rows end as they were.
  const struct {
    const Place& place;
    int rowBefore;
    const wchar_t* chosen;
  } choices[] = {
      {first, 0, L"أسبانيا"},
      {second, 57, L"سويسرا"},
      {first, 84, L"الكويت"},
      {second, 50, L"السعودية"},
  };
  for (const auto& choice : choices) {
    const HWND list = item(choice.place.list);
    SendMessageW(list, CB_SETCURSEL, choice.rowBefore, 0);
    PostKeyDown(list, VK_DOWN);
    const std::string step = Utf8(choice.chosen);
    EXPECT_TRUE(WaitFor([&] { return ShownText(list) == choice.chosen; }, kActionTimeout)) << step;
    WaitFor(
        [&] { return NameOf(item(choice.place.time)) == std::wstring(L"توقيت ") + choice.chosen; },
        kActionTimeout);
    expectNamedFor(choice.place, choice.chosen, step.c_str());
  }
  ExpectNamedApart(ReadControls(window), "world time");
  Close(window);
}

TEST_F(ReaderNamesTest, ClothingListsSayTheirGroupAndSystemOnBothPages) {
  const HWND sheet = Open(kClothingButton);
  ASSERT_NE(sheet, nullptr);
  const int lists[] = {IDC_SIZE_GARMENT_US, IDC_SIZE_GARMENT_UK, IDC_SIZE_GARMENT_FR,
                       IDC_SIZE_SHOE_US,    IDC_SIZE_SHOE_UK,    IDC_SIZE_SHOE_FR};
  const struct {
    const char* page;
    const wchar_t* names[6];
  } pages[] = {
      {"men",
       {L"بدل ومعاطف، أمريكي", L"بدل ومعاطف، بريطاني", L"بدل ومعاطف، فرنسي", L"أحذية، أمريكي",
        L"أحذية، بريطاني", L"أحذية، فرنسي"}},
      {"women",
       {L"بدل وفساتين، أمريكي", L"بدل وفساتين، بريطاني", L"بدل وفساتين، فرنسي", L"أحذية، أمريكي",
        L"أحذية، بريطاني", L"أحذية، فرنسي"}},
  };
  for (int n = 0; n < 2; ++n) {
    SCOPED_TRACE(pages[n].page);
    if (n > 0) SendMessageW(sheet, PSM_SETCURSEL, n, 0);
    const auto page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(page, nullptr);
    for (int i = 0; i < 6; ++i) {
      const HWND list = GetDlgItem(page, lists[i]);
      EXPECT_EQ(NameOf(list), pages[n].names[i]) << lists[i];
      EXPECT_EQ(ValueOf(list), TextOf(list)) << lists[i] << ": it reads its size";
    }
    ExpectNamedApart(ReadControls(sheet), pages[n].page);
  }
  Close(sheet);
}

TEST_F(ReaderNamesTest, ConverterFieldsKeepTheirLabels) {
  const HWND length = Open(kLengthButton);
  ASSERT_NE(length, nullptr);
  ExpectFieldsNamed(length, {{IDC_LENGTH_KILOMETRE, L"كيلو متر"},
                             {IDC_LENGTH_METRE, L"متــــــــر"},
                             {IDC_LENGTH_MILE, L"ميــــــل"},
                             {IDC_LENGTH_INCH, L"بـــوصة"}});
  Close(length);
}

TEST_F(ReaderNamesTest, AccessibilityIsLoadedOnlyWhenAReaderAsks) {
  EXPECT_FALSE(OleaccLoaded()) << "at start";
  for (const int button : {kDateButton, kWorldTimeButton, kClothingButton}) {
    const HWND window = Open(button);
    ASSERT_NE(window, nullptr) << button;
    EXPECT_FALSE(OleaccLoaded()) << "with window " << button << " open";
    Close(window);
  }
  EXPECT_EQ(NameOf(GetDlgItem(Open(kDateButton), IDC_HIJRI_DAY)), L"اليوم الهجري");
  EXPECT_TRUE(OleaccLoaded()) << "once a reader has asked";
}

}  // namespace
}  // namespace e2e
