// ralimet.exe read by a screen reader in another process: the reader asks for the launcher's
// accessible object through oleacc, reads the buttons and presses one, all marshalled by COM.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "msaa_reader.h"
#include "program_fixture.h"

namespace e2e {
namespace {

using ProgramScreenReaderTest = ProgramTest;

TEST_F(ProgramScreenReaderTest, ReadsTheTwelveButtonsAndPressesExit) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  const msaa::Apartment apartment;
  const msaa::Object panel = msaa::ClientObject(m_view);
  ASSERT_TRUE(panel);

  long count = 0;
  ASSERT_EQ(panel->get_accChildCount(&count), S_OK);
  std::vector<std::wstring> names;
  for (long id = 1; id <= count; ++id) {
    names.push_back(msaa::Text(panel.get(), &IAccessible::get_accName, id));
  }
  const std::vector<std::wstring> captions = {L"المساحة", L"التاريخ", L"الملبوسات", L"السرعة",
                                              L"التوقيت", L"الطول",   L"الزمن",     L"الحرارة",
                                              L"الحجم",   L"الوزن",   L"نبذة عن",   L"خروج"};
  ASSERT_EQ(names, captions);

  // Found by its name, as the user asks the reader for it.
  const long exit = std::find(names.begin(), names.end(), L"خروج") - names.begin() + 1;
  EXPECT_EQ(msaa::Text(panel.get(), &IAccessible::get_accDefaultAction, exit), L"اضغط");
  EXPECT_EQ(panel->accDoDefaultAction(msaa::Child(exit)), S_OK);
  EXPECT_EQ(m_program.WaitForExit(), std::optional<DWORD>{1});
  EXPECT_TRUE(FAILED(panel->get_accChildCount(&count))) << "the program is gone: an error";
}

}  // namespace
}  // namespace e2e
