// The field exchange on a real window: typed texts, beeps, what each field shows afterwards.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "test_dialog.h"
// After windows.h, which test_dialog.h brings: the up-down control.
// clang-format off
#include <commctrl.h>
// clang-format on

namespace {

class FieldExchangeTest : public testing::Test {
 protected:
  void SetUp() override {
    m_dlg = std::make_unique<CExchangeTestDlg>();
    ASSERT_TRUE(m_dlg->Create());
    m_dlg->m_changes.clear();
  }

  std::unique_ptr<CExchangeTestDlg> m_dlg;
};

TEST_F(FieldExchangeTest, BadTextBeepsOnceAndTheOtherFieldsAreStillRead) {
  m_dlg->Type(IDC_FIRST, L"7");
  m_dlg->Type(IDC_SECOND, L"12abc");
  m_dlg->Type(IDC_THIRD, L"-0.25");
  BeepCounter beeps;
  EXPECT_TRUE(m_dlg->UpdateData(true));
  EXPECT_EQ(beeps.count(), 1);
  EXPECT_EQ(m_dlg->Text(IDC_SECOND), L"2.00000000");
  EXPECT_EQ(m_dlg->m_second, 2);
  EXPECT_EQ(m_dlg->m_first, 7);
  EXPECT_EQ(m_dlg->m_third, -0.25);
}

TEST_F(FieldExchangeTest, ReadingTakesANumberAndRefusesWhatIsNotOne) {
  // Only the first 38 characters are judged.
  const std::wstring ones38 = std::wstring(38, L'1') + L"abcdefg";
  const std::wstring ones37 = std::wstring(37, L'1') + L"x";
  const struct {
    std::wstring typed;
    // Nothing: refused, as Arabic-Indic digits, a plus sign, a capital E, a decimal comma and a
    // blank are.
    std::optional<double> read;
  } cases[] = {
      {L"", 0},          {L"-", 0},
      {L"5.", 5},        {L"1e5e3", 1e5},
      {L"1e", 1},        {L"1.5e-3", 0.0015},
      {L"-12.5", -12.5}, {L"\u0661\u0662", {}},
      {L"+5", {}},       {L"1E5", {}},
      {L"1,5", {}},      {L" 1", {}},
      {L"1-2", {}},      {ones38, 11111111111111111111111111111111111111.0},
      {ones37, {}},
  };
  for (const auto& c : cases) {
    const std::string name = testing::PrintToString(c.typed);
    BeepCounter beeps;
    m_dlg->m_first = 4.5;
    m_dlg->Type(IDC_FIRST, c.typed.c_str());
    m_dlg->UpdateData(true);
    EXPECT_EQ(m_dlg->m_first, c.read.value_or(4.5)) << name;
    EXPECT_EQ(beeps.count(), c.read ? 0 : 1) << name;
    EXPECT_EQ(m_dlg->Text(IDC_FIRST), c.read ? c.typed : L"4.50000000")
        << name << ": an accepted text is left as typed, a refused one put back";
  }
}

TEST_F(FieldExchangeTest, WritingKeepsATextThatMeansTheMemberAndShowsNoOldNumber) {
  using D = CExchangeTestDlg;
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    int field;
    double D::*member;
    const wchar_t* typed;
    double value;
    const wchar_t* shown;
  } cases[] = {
      {IDC_FIRST, &D::m_first, L"5.", 5, L"5."},
      {IDC_SECOND, &D::m_second, L"", 0, L""},
      {IDC_THIRD, &D::m_third, L"5e0", 5, L"5e0"},
      {IDC_FIRST, &D::m_first, L"5.", 6, L"6.00000000"},
      // What cannot be shown is shown as nothing, a NaN too: never as the old number.
      {IDC_FIRST, &D::m_first, L"12", 1e30, L""},
      {IDC_FIRST, &D::m_first, L"12", -1e30, L""},
      {IDC_FIRST, &D::m_first, L"12", inf, L"1.#INF0000"},
      {IDC_FIRST, &D::m_first, L"12", -inf, L"-1.#INF0000"},
      {IDC_FIRST, &D::m_first, L"12", std::numeric_limits<double>::quiet_NaN(), L""},
  };
  for (const auto& c : cases) {
    m_dlg->Type(c.field, c.typed);
    (*m_dlg).*c.member = c.value;
    m_dlg->UpdateData(false);
    EXPECT_EQ(m_dlg->Text(c.field), c.shown)
        << "field " << c.field << ": " << c.value << " over \"" << Utf8(c.typed) << "\"";
  }
}

TEST_F(FieldExchangeTest, WritingShowsEveryMemberAndNoChangeReachesTheHandlers) {
  EXPECT_EQ(m_dlg->Text(IDC_FIRST), L"1.00000000") << "on opening";
  EXPECT_EQ(m_dlg->Text(IDC_SECOND), L"2.00000000") << "on opening";
  EXPECT_EQ(m_dlg->Text(IDC_THIRD), L"3.00000000") << "on opening";
  EXPECT_EQ(m_dlg->Text(IDC_YEAR), L"1996") << "on opening";
  m_dlg->m_first = 10;
  m_dlg->m_second = 20;
  m_dlg->m_year = 2000;
  m_dlg->UpdateData(false);
  EXPECT_EQ(m_dlg->Text(IDC_FIRST), L"10.00000000");
  EXPECT_EQ(m_dlg->Text(IDC_YEAR), L"2000");
  m_dlg->Type(IDC_THIRD, L"oops");
  m_dlg->m_changes.clear();
  {
    BeepCounter beeps;
    m_dlg->UpdateData(true);  // rewrites the refused field
    EXPECT_EQ(beeps.count(), 1);
  }
  EXPECT_TRUE(m_dlg->m_changes.empty());

  // Outside UpdateData the same writes are the user's, and are delivered.
  m_dlg->Type(IDC_SECOND, L"8");
  m_dlg->Type(IDC_YEAR, L"1999");
  EXPECT_EQ(m_dlg->m_changes, (std::vector<UINT>{IDC_SECOND, IDC_YEAR}));
}

TEST_F(FieldExchangeTest, IntRangeTakesOnlyNumbersInRange) {
  struct Case {
    const wchar_t* typed;
    bool accepted;
  };
  const Case cases[] = {
      {L"5000", true}, {L"1", true},   {L"5001", false},       {L"0", false},
      {L"", false},    {L"-3", false}, {L"4294967295", false},
  };
  for (const Case& c : cases) {
    BeepCounter beeps;
    m_dlg->m_year = 1996;
    m_dlg->Type(IDC_YEAR, c.typed);
    m_dlg->UpdateData(true);
    const auto name = testing::PrintToString(c.typed);
    if (c.accepted) {
      EXPECT_EQ(m_dlg->m_year, _wtoi(c.typed)) << name;
      EXPECT_EQ(beeps.count(), 0) << name;
      EXPECT_EQ(m_dlg->Text(IDC_YEAR), c.typed) << name;
    } else {
      EXPECT_EQ(m_dlg->m_year, 1996) << name;
      EXPECT_EQ(beeps.count(), 1) << name;
      EXPECT_EQ(m_dlg->Text(IDC_YEAR), L"1996") << name;
      DWORD start = 1, end = 0;
      SendMessageW(m_dlg->GetDlgItem(IDC_YEAR), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
      EXPECT_EQ(start, 0u) << name;
      EXPECT_EQ(end, 4u) << name << ": the whole text is selected";
    }
  }
}

TEST_F(FieldExchangeTest, ByteRangeNarrowsToItsMember) {
  class CByteDlg : public CExchangeTestDlg {
   public:
    std::uint8_t m_day = 7;

   protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_ByteRange(pDX, IDC_YEAR, m_day, 31, 1); }
  } dlg;
  ASSERT_TRUE(dlg.Create());
  EXPECT_EQ(dlg.Text(IDC_YEAR), L"7");
  BeepCounter beeps;
  dlg.Type(IDC_YEAR, L"30");
  dlg.UpdateData(true);
  EXPECT_EQ(dlg.m_day, 30);
  dlg.Type(IDC_YEAR, L"31");
  dlg.UpdateData(true);
  EXPECT_EQ(dlg.m_day, 30);
  EXPECT_EQ(beeps.count(), 1);
  EXPECT_EQ(dlg.Text(IDC_YEAR), L"30");
}

TEST_F(FieldExchangeTest, ReadsTheSameInADecimalCommaLocale) {
  ASSERT_NE(_wsetlocale(LC_ALL, L"German_Germany.1252"), nullptr);
  m_dlg->Type(IDC_FIRST, L"1.5");
  m_dlg->UpdateData(true);
  m_dlg->m_second = 2.25;
  m_dlg->UpdateData(false);
  _wsetlocale(LC_ALL, L"C");
  EXPECT_EQ(m_dlg->m_first, 1.5);
  EXPECT_EQ(m_dlg->Text(IDC_SECOND), L"2.25000000");
}

TEST_F(FieldExchangeTest, CreateUpDownPairsTheControlWithItsBuddy) {
  const HWND buddy = m_dlg->GetDlgItem(IDC_YEAR);
  const HWND upDown =
      CreateUpDown(UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, 0, 0, 10, 20, m_dlg->m_hWnd,
                   1100, AfxGetResourceHandle(), buddy, 5001, 1, 1996);
  ASSERT_NE(upDown, nullptr);
  EXPECT_EQ(GetDlgCtrlID(upDown), 1100);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(upDown, UDM_GETBUDDY, 0, 0)), buddy);
  EXPECT_EQ(SendMessageW(upDown, UDM_GETRANGE, 0, 0), MAKELONG(5001, 1));
  EXPECT_EQ(LOWORD(SendMessageW(upDown, UDM_GETPOS, 0, 0)), 1996);
  // (The control takes WS_BORDER off itself and draws the border around its buddy instead.)
  const LONG_PTR style = GetWindowLongPtrW(upDown, GWL_STYLE);
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_SETBUDDYINT),
            WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_SETBUDDYINT);

  EXPECT_EQ(CreateUpDown(0, 0, 0, 10, 20, reinterpret_cast<HWND>(0x1234), 1101,
                         AfxGetResourceHandle(), buddy, 10, 0, 0),
            nullptr)
      << "no control without a valid parent";
}

TEST(EnumRasterFontProcTest, StopsAtTheFirstRasterMember) {
  LOGFONTW found{};
  LOGFONTW outline{};
  outline.lfHeight = 11;
  EXPECT_EQ(
      EnumRasterFontProc(&outline, nullptr, TRUETYPE_FONTTYPE, reinterpret_cast<LPARAM>(&found)),
      1);
  EXPECT_EQ(found.lfHeight, 0) << "an outline font is passed over";

  LOGFONTW raster{};
  raster.lfHeight = 13;
  wcscpy(raster.lfFaceName, L"Courier");
  EXPECT_EQ(EnumRasterFontProc(&raster, nullptr, RASTER_FONTTYPE, reinterpret_cast<LPARAM>(&found)),
            0);
  EXPECT_EQ(found.lfHeight, 13);
  EXPECT_STREQ(found.lfFaceName, L"Courier");
}

}  // namespace
