// ralimet.exe read by a screen reader in another process: the reader asks for the launcher's
// accessible object through oleacc, reads the buttons and presses one, all marshalled by COM.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <memory>
#include <string>
#include <vector>

#include "panel_layout.h"
#include "program.h"

namespace e2e {
namespace {

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};

// The reader's own apartment, as every MSAA client has one.
class ReaderApartment {
 public:
  ReaderApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ReaderApartment() { CoUninitialize(); }
};

VARIANT Child(long id) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

std::wstring Take(BSTR text) {
  std::wstring copy = text ? text : L"<null>";
  SysFreeString(text);
  return copy;
}

TEST(ProgramScreenReaderTest, ReadsTheTwelveButtonsAndPressesExit) {
  SetCursorPos(0, 0);  // a real pointer over the view would move its highlight
  Program program;
  ASSERT_TRUE(program.Start(L""));
  ASSERT_NE(program.WaitForMainWindow(), nullptr);
  const ReaderApartment apartment;
  IAccessible* raw = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(program.View(), static_cast<DWORD>(OBJID_CLIENT),
                                       __uuidof(IAccessible), reinterpret_cast<void**>(&raw)),
            S_OK);
  const std::unique_ptr<IAccessible, ComRelease> panel(raw);

  long count = 0;
  ASSERT_EQ(panel->get_accChildCount(&count), S_OK);
  ASSERT_EQ(count, kButtonCount);
  std::vector<std::wstring> names;
  for (long id = 1; id <= count; ++id) {
    BSTR name = nullptr;
    EXPECT_EQ(panel->get_accName(Child(id), &name), S_OK) << id;
    names.push_back(Take(name));
  }
  const std::vector<std::wstring> captions = {
      L"المساحة", L"التاريخ", L"الملبوسات", L"السرعة", L"التوقيت", L"الطول",
      L"الزمن",   L"الحرارة", L"الحجم",     L"الوزن",  L"نبذة عن", L"خروج"};
  EXPECT_EQ(names, captions);

  const long exit = kExitButton + 1;
  ASSERT_EQ(names.at(exit - 1), L"خروج");
  BSTR action = nullptr;
  EXPECT_EQ(panel->get_accDefaultAction(Child(exit), &action), S_OK);
  EXPECT_EQ(Take(action), L"اضغط");
  EXPECT_EQ(panel->accDoDefaultAction(Child(exit)), S_OK);
  EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>{1});
  EXPECT_TRUE(FAILED(panel->get_accChildCount(&count))) << "the program is gone: an error";
}

}  // namespace
}  // namespace e2e
