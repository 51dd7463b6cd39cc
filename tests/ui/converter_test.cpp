// The seven converter windows on their real templates, typed into as a user types.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/handles.h"
#include "res/resource.h"
#include "test_support.h"
#include "units/converter_windows.h"
#include "units/speed_dlg.h"
#include "units/unit_tables.h"

namespace {

using Texts = std::map<int, std::wstring>;  // control -> text shown

// The window of these fields; the speed window is its own class, for its cursor.
std::unique_ptr<CConverterDlg> Make(const ConverterWindow& window) {
  if (&window == &kSpeedWindow) return std::make_unique<CSpeedDlg>();
  return std::make_unique<CConverterDlg>(window);
}

std::wstring Text(const CWnd& dlg, int id) {
  return TextOf(dlg.GetDlgItem(id));
}
void Type(const CWnd& dlg, int id, const wchar_t* text) {
  SetWindowTextW(dlg.GetDlgItem(id), text);
}

void ExpectTexts(const CWnd& dlg, const Texts& expected, const std::string& name) {
  for (const auto& [id, text] : expected) {
    EXPECT_EQ(Text(dlg, id), text) << name << ", field " << id;
  }
}

// Shows a window's messages to the test for as long as it lives; those it answers true for go no
// further.
class MessageTap {
 public:
  using Look = std::function<bool(UINT message, WPARAM wParam)>;
  MessageTap(HWND window, Look look) : m_window(window), m_look(std::move(look)) {
    SetWindowSubclass(window, Proc, 0, reinterpret_cast<DWORD_PTR>(&m_look));
  }
  MessageTap(const MessageTap&) = delete;
  MessageTap& operator=(const MessageTap&) = delete;
  ~MessageTap() { RemoveWindowSubclass(m_window, Proc, 0); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR look) {
    if ((*reinterpret_cast<const Look*>(look))(message, wParam)) return 0;
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }

  HWND m_window;
  Look m_look;
};

// Each converter window: its title and the texts it opens with, and values typed into one of its
// fields with what the other fields then show.
struct Typing {
  int control;
  const wchar_t* typed;
  Texts texts;
};

struct Window {
  const char* name;
  const ConverterWindow& window;
  const wchar_t* title;
  Texts opening;
  std::vector<Typing> typing;
};

const Window kWindows[] = {
    {"length",
     kLengthWindow,
     L"الطول",
     {{IDC_LENGTH_CENTIMETRE, L"160900.00000000"},
      {IDC_LENGTH_METRE, L"1609.00000000"},
      {IDC_LENGTH_KILOMETRE, L"1.60900000"},
      {IDC_LENGTH_INCH, L"63346.45670000"},
      {IDC_LENGTH_FOOT, L"5278.87140000"},
      {IDC_LENGTH_YARD, L"1759.62380000"},
      {IDC_LENGTH_MILE, L"1.00000000"},
      {IDC_LENGTH_MILLIMETRE, L"1609000.00000000"}},
     {{IDC_LENGTH_MILE,
       L"2",
       {{IDC_LENGTH_KILOMETRE, L"3.21800000"},
        {IDC_LENGTH_METRE, L"3218.00000000"},
        {IDC_LENGTH_CENTIMETRE, L"321800.00000000"},
        {IDC_LENGTH_MILLIMETRE, L"3218000.00000000"},
        {IDC_LENGTH_INCH, L"126692.91340000"},
        {IDC_LENGTH_FOOT, L"10557.74280000"},
        {IDC_LENGTH_YARD, L"3519.24760000"},
        {IDC_LENGTH_MILE, L"2"}}},
      {IDC_LENGTH_KILOMETRE,
       L"1",
       {{IDC_LENGTH_MILE, L"0.62150404"},
        {IDC_LENGTH_METRE, L"1000.00000000"},
        {IDC_LENGTH_INCH, L"39370.07870000"},
        {IDC_LENGTH_FOOT, L"3280.83990000"},
        {IDC_LENGTH_YARD, L"1093.61330000"}}},
      {IDC_LENGTH_MILE,
       L"-5",
       {{IDC_LENGTH_KILOMETRE, L"-8.04500000"}, {IDC_LENGTH_FOOT, L"-26394.35700000"}}}}},
    {"area",
     kAreaWindow,
     L"المساحة",
     {{IDC_AREA_SQ_MILE, L"1.00000000"},
      {IDC_AREA_SQ_KILOMETRE, L"2.59000000"},
      {IDC_AREA_HECTARE, L"259.00000000"},
      {IDC_AREA_ACRE, L"640.00000000"},
      {IDC_AREA_SQ_METRE, L"2590000.00000000"},
      {IDC_AREA_SQ_FOOT, L"27870000.00000000"},
      {IDC_AREA_SQ_INCH, L"4014500000.00000000"},
      {IDC_AREA_SQ_CENTIMETRE, L"25900000000.00000000"}},
     {{IDC_AREA_HECTARE,
       L"1",
       {{IDC_AREA_SQ_MILE, L"0.00386100"},
        {IDC_AREA_SQ_KILOMETRE, L"0.01000000"},
        {IDC_AREA_ACRE, L"2.47104000"},
        {IDC_AREA_SQ_METRE, L"10000.00000000"},
        {IDC_AREA_SQ_FOOT, L"107606.17000000"},
        {IDC_AREA_SQ_INCH, L"15500000.00000000"},
        {IDC_AREA_SQ_CENTIMETRE, L"100000000.00000000"}}},
      {IDC_AREA_ACRE,
       L"1",
       {{IDC_AREA_SQ_MILE, L"0.00156250"},
        {IDC_AREA_SQ_KILOMETRE, L"0.00404688"},
        {IDC_AREA_HECTARE, L"0.40468790"},
        {IDC_AREA_SQ_METRE, L"4046.87900000"}}}}},
    {"volume",
     kVolumeWindow,
     L"الحجم",
     {{IDC_VOLUME_LITRE, L"1.00000000"},
      {IDC_VOLUME_PINT, L"1.75999905"},
      {IDC_VOLUME_QUART, L"0.87999952"},
      {IDC_VOLUME_GALLON, L"0.21999988"},
      {IDC_VOLUME_CU_METRE, L"0.00100000"},
      {IDC_VOLUME_CU_INCH, L"61.02338720"},
      {IDC_VOLUME_CU_FOOT, L"0.03531984"},
      {IDC_VOLUME_CU_CENTIMETRE, L"1000.00000000"}},
     {{IDC_VOLUME_GALLON,
       L"1",
       {{IDC_VOLUME_LITRE, L"4.54545700"},
        {IDC_VOLUME_PINT, L"8.00000000"},
        {IDC_VOLUME_QUART, L"4.00000000"},
        {IDC_VOLUME_CU_METRE, L"0.00454545"},
        {IDC_VOLUME_CU_INCH, L"277.37918260"},
        {IDC_VOLUME_CU_FOOT, L"0.16054482"},
        {IDC_VOLUME_CU_CENTIMETRE, L"4545.45769600"}}},
      {IDC_VOLUME_PINT,
       L"1",
       {{IDC_VOLUME_QUART, L"0.50000000"},
        {IDC_VOLUME_GALLON, L"0.12500000"},
        {IDC_VOLUME_LITRE, L"0.56818212"}}},
      {IDC_VOLUME_CU_FOOT,
       L"1",
       {{IDC_VOLUME_CU_CENTIMETRE, L"28312.70144000"}, {IDC_VOLUME_LITRE, L"28.31270000"}}},
      {IDC_VOLUME_CU_CENTIMETRE,
       L"1",
       {{IDC_VOLUME_CU_FOOT, L"0.00003532"}, {IDC_VOLUME_LITRE, L"0.00100000"}}},
      {IDC_VOLUME_CU_METRE,
       L"1",
       {{IDC_VOLUME_LITRE, L"1000.00000000"},
        {IDC_VOLUME_PINT, L"1760.00000000"},
        {IDC_VOLUME_GALLON, L"220.00000000"},
        {IDC_VOLUME_CU_FOOT, L"35.31983700"}}}}},
    {"weight",
     kWeightWindow,
     L"وزن",
     {{IDC_WEIGHT_GRAM, L"1000000.00000000"},
      {IDC_WEIGHT_KILOGRAM, L"1000.00000000"},
      {IDC_WEIGHT_OUNCE, L"35000.00000000"},
      {IDC_WEIGHT_POUND, L"2205.00000000"},
      {IDC_WEIGHT_TON, L"1.00000000"}},
     {{IDC_WEIGHT_KILOGRAM,
       L"1",
       {{IDC_WEIGHT_GRAM, L"1000.00000000"},
        {IDC_WEIGHT_OUNCE, L"35.00000000"},
        {IDC_WEIGHT_POUND, L"2.20500000"},
        {IDC_WEIGHT_TON, L"0.00100000"}}},
      {IDC_WEIGHT_OUNCE,
       L"16",
       {{IDC_WEIGHT_POUND, L"1.00800000"},
        {IDC_WEIGHT_KILOGRAM, L"0.45714286"},
        {IDC_WEIGHT_GRAM, L"457.14285714"}}},
      {IDC_WEIGHT_POUND,
       L"1",
       {{IDC_WEIGHT_OUNCE, L"15.87301587"},
        {IDC_WEIGHT_KILOGRAM, L"0.45351474"},
        {IDC_WEIGHT_GRAM, L"453.51473923"}}}}},
    {"speed",
     kSpeedWindow,
     L"السرعة",
     {{IDC_SPEED_MILE_PER_HOUR, L"1.00000000"},
      {IDC_SPEED_KM_PER_HOUR, L"1.60900000"},
      {IDC_SPEED_METRE_PER_SECOND, L"0.44694400"},
      {IDC_SPEED_CM_PER_SECOND, L"44.69440000"},
      {IDC_SPEED_FOOT_PER_SECOND, L"1.46635300"},
      {IDC_SPEED_KNOT, L"0.86897600"}},
     {{IDC_SPEED_KM_PER_HOUR,
       L"100",
       {{IDC_SPEED_MILE_PER_HOUR, L"62.15040398"},
        {IDC_SPEED_METRE_PER_SECOND, L"27.77700000"},
        {IDC_SPEED_CM_PER_SECOND, L"2777.77000000"},
        {IDC_SPEED_FOOT_PER_SECOND, L"91.13440000"},
        {IDC_SPEED_KNOT, L"54.00000000"}}},
      {IDC_SPEED_KNOT,
       L"1",
       {{IDC_SPEED_MILE_PER_HOUR, L"1.15077977"},
        {IDC_SPEED_KM_PER_HOUR, L"1.85185185"},
        {IDC_SPEED_METRE_PER_SECOND, L"0.51439006"},
        {IDC_SPEED_CM_PER_SECOND, L"51.43900620"},
        {IDC_SPEED_FOOT_PER_SECOND, L"1.68765263"}}}}},
    {"time",
     kTimeWindow,
     L"الزمن",
     {{IDC_TIME_CENTURY, L"1.00000000"},
      {IDC_TIME_DECADE, L"10.00000000"},
      {IDC_TIME_YEAR, L"100.00000000"},
      {IDC_TIME_WEEK, L"5217.85714300"},
      {IDC_TIME_DAY, L"36525.00000000"},
      {IDC_TIME_HOUR, L"876600.00000000"},
      {IDC_TIME_MINUTE, L"52596000.00000000"},
      {IDC_TIME_SECOND, L"3155760000.00000000"}},
     {{IDC_TIME_DAY,
       L"1",
       {{IDC_TIME_HOUR, L"24.00000000"},
        {IDC_TIME_MINUTE, L"1440.00000000"},
        {IDC_TIME_SECOND, L"86400.00000000"},
        {IDC_TIME_WEEK, L"0.14285714"},
        {IDC_TIME_YEAR, L"0.00273785"},
        {IDC_TIME_DECADE, L"0.00027379"},
        {IDC_TIME_CENTURY, L"0.00002738"}}},
      {IDC_TIME_YEAR,
       L"1",
       {{IDC_TIME_WEEK, L"52.17857143"},
        {IDC_TIME_DAY, L"365.25000000"},
        {IDC_TIME_HOUR, L"8766.00000000"},
        {IDC_TIME_SECOND, L"31557600.00000000"},
        {IDC_TIME_CENTURY, L"0.01000000"}}},
      {IDC_TIME_WEEK, L"1", {{IDC_TIME_DAY, L"7.00000000"}, {IDC_TIME_YEAR, L"0.01916496"}}}}},
    {"temperature",
     kTemperatureWindow,
     L"درجة الحرارة",
     {{IDC_TEMP_CELSIUS, L"1.00000000"},
      {IDC_TEMP_FAHRENHEIT, L"33.80000000"},
      {IDC_TEMP_KELVIN, L"274.15000000"}},
     {{IDC_TEMP_CELSIUS,
       L"100",
       {{IDC_TEMP_FAHRENHEIT, L"212.00000000"}, {IDC_TEMP_KELVIN, L"373.15000000"}}},
      {IDC_TEMP_FAHRENHEIT,
       L"212",
       {{IDC_TEMP_CELSIUS, L"100.00000000"}, {IDC_TEMP_KELVIN, L"373.14999860"}}},
      {IDC_TEMP_FAHRENHEIT,
       L"32",
       {{IDC_TEMP_CELSIUS, L"0.00000000"}, {IDC_TEMP_KELVIN, L"273.14999960"}}},
      {IDC_TEMP_KELVIN,
       L"0",
       {{IDC_TEMP_CELSIUS, L"-273.15000000"}, {IDC_TEMP_FAHRENHEIT, L"-459.67000420"}}},
      {IDC_TEMP_CELSIUS,
       L"-40",
       {{IDC_TEMP_FAHRENHEIT, L"-40.00000000"}, {IDC_TEMP_KELVIN, L"233.15000000"}}},
      {IDC_TEMP_FAHRENHEIT,
       L"",
       {{IDC_TEMP_CELSIUS, L"-17.77777778"},
        {IDC_TEMP_KELVIN, L"255.37222200"},
        {IDC_TEMP_FAHRENHEIT, L""}}}}},
};

TEST(ConverterTest, EachWindowOpensWithItsUnitTable) {
  for (const Window& w : kWindows) {
    auto dlg = Make(w.window);
    ASSERT_TRUE(dlg->Create()) << w.name;
    EXPECT_EQ(TextOf(dlg->m_hWnd), w.title) << w.name;
    ExpectTexts(*dlg, w.opening, w.name);
    // The back button comes first; each label stands just before its field, so its mnemonic
    // moves the focus there.
    EXPECT_EQ(GetDlgCtrlID(GetWindow(dlg->m_hWnd, GW_CHILD)), IDOK) << w.name;
    for (const auto& [id, text] : w.opening) {
      const HWND label = GetWindow(dlg->GetDlgItem(id), GW_HWNDPREV);
      EXPECT_NE(TextOf(label).find(L'&'), std::wstring::npos) << w.name << ", label of " << id;
      const LONG_PTR style = GetWindowLongPtrW(dlg->GetDlgItem(id), GWL_STYLE);
      EXPECT_TRUE(style & WS_TABSTOP) << w.name << ", field " << id;
    }
  }
}

TEST(ConverterTest, TypingConvertsIntoEveryOtherField) {
  for (const Window& w : kWindows) {
    for (const Typing& c : w.typing) {
      const std::string name = std::string(w.name) + ": " + Utf8(c.typed) + " typed into field " +
                               std::to_string(c.control);
      auto dlg = Make(w.window);
      ASSERT_TRUE(dlg->Create()) << name;
      Type(*dlg, c.control, c.typed);
      EXPECT_EQ(Text(*dlg, c.control), c.typed) << name << ": the typed field keeps its text";
      ExpectTexts(*dlg, c.texts, name);
    }
  }
}

class LengthTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dlg.Create()); }
  CLengthDlg m_dlg;
};

TEST_F(LengthTest, EmptiedFieldIsZeroAndStaysEmpty) {
  Type(m_dlg, IDC_LENGTH_METRE, L"");
  EXPECT_EQ(Text(m_dlg, IDC_LENGTH_METRE), L"");
  EXPECT_EQ(m_dlg.Value(length::kMetre), 0);
  for (int id : {IDC_LENGTH_MILE, IDC_LENGTH_KILOMETRE, IDC_LENGTH_INCH, IDC_LENGTH_MILLIMETRE}) {
    EXPECT_EQ(Text(m_dlg, id), L"0.00000000") << id;
  }
}

TEST_F(LengthTest, LetterBeepsAndPutsThePreviousValueBack) {
  BeepCounter beeps;
  Type(m_dlg, IDC_LENGTH_MILE, L"1x");
  EXPECT_EQ(beeps.count(), 1);
  EXPECT_EQ(Text(m_dlg, IDC_LENGTH_MILE), L"1.00000000");
  EXPECT_EQ(Text(m_dlg, IDC_LENGTH_KILOMETRE), L"1.60900000");
  EXPECT_EQ(m_dlg.Value(length::kMile), 1);
}

TEST_F(LengthTest, SameValueWrittenDifferentlyChangesNothingElse) {
  int written = 0;  // the texts the kilometre field is given
  const MessageTap kilometre(m_dlg.GetDlgItem(IDC_LENGTH_KILOMETRE), [&](UINT message, WPARAM) {
    written += message == WM_SETTEXT;
    return false;
  });
  Type(m_dlg, IDC_LENGTH_MILE, L"1");
  Type(m_dlg, IDC_LENGTH_MILE, L"1.0");
  EXPECT_EQ(written, 0);
  Type(m_dlg, IDC_LENGTH_MILE, L"3");
  EXPECT_EQ(written, 1) << "a new value is written";
  EXPECT_EQ(Text(m_dlg, IDC_LENGTH_KILOMETRE), L"4.82700000");
}

// The text colour the window gives a field when it is drawn.
COLORREF TextColourOf(const CWnd& dlg, int id) {
  const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
  SetTextColor(dc.get(), RGB(1, 2, 3));
  SendMessageW(dlg.m_hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()),
               reinterpret_cast<LPARAM>(dlg.GetDlgItem(id)));
  return GetTextColor(dc.get());
}

TEST_F(LengthTest, NegativeNumbersAreRed) {
  const COLORREF red = RGB(255, 0, 0);
  Type(m_dlg, IDC_LENGTH_MILE, L"-5");
  for (int id : {IDC_LENGTH_MILE, IDC_LENGTH_KILOMETRE, IDC_LENGTH_FOOT}) {
    EXPECT_EQ(TextColourOf(m_dlg, id), red) << id;
  }
  struct Case {
    int typedInto;
    const wchar_t* text;
    const wchar_t* yardShows;
    bool red;
  };
  const Case cases[] = {
      {IDC_LENGTH_YARD, L"-0.00000000", L"-0.00000000", false},
      {IDC_LENGTH_YARD, L"-", L"-", false},
      {IDC_LENGTH_YARD, L"0.5", L"0.5", false},
      {IDC_LENGTH_YARD, L"-0.001", L"-0.001", true},
      {IDC_LENGTH_MILE, L"-0.000000001", L"-0.00000176", true},
      {IDC_LENGTH_KILOMETRE, L"-1e308", L"-1.#INF0000", true},
  };
  for (const Case& c : cases) {
    Type(m_dlg, c.typedInto, c.text);
    ASSERT_EQ(Text(m_dlg, IDC_LENGTH_YARD), c.yardShows) << testing::PrintToString(c.text);
    EXPECT_EQ(TextColourOf(m_dlg, IDC_LENGTH_YARD) == red, c.red) << testing::PrintToString(c.text);
  }
}

TEST_F(LengthTest, InfinityShowsAndIsRefusedAtTheNextEdit) {
  Type(m_dlg, IDC_LENGTH_KILOMETRE, L"1e308");
  EXPECT_EQ(Text(m_dlg, IDC_LENGTH_MILE), L"") << "too long to show";
  const int infinite[] = {IDC_LENGTH_METRE, IDC_LENGTH_CENTIMETRE, IDC_LENGTH_MILLIMETRE,
                          IDC_LENGTH_INCH,  IDC_LENGTH_FOOT,       IDC_LENGTH_YARD};
  for (int id : infinite) EXPECT_EQ(Text(m_dlg, id), L"1.#INF0000") << id;

  BeepCounter beeps;
  Type(m_dlg, IDC_LENGTH_MILE, L"2");
  EXPECT_EQ(beeps.count(), 6) << "once for every field showing 1.#INF0000";
  EXPECT_EQ(Text(m_dlg, IDC_LENGTH_KILOMETRE), L"3.21800000");
  EXPECT_EQ(Text(m_dlg, IDC_LENGTH_METRE), L"3218.00000000");
}

TEST_F(LengthTest, AnInfiniteInputNeverLeavesAStaleNumber) {
  Type(m_dlg, IDC_LENGTH_KILOMETRE, L"1e999");
  for (int id : {IDC_LENGTH_MILE, IDC_LENGTH_METRE, IDC_LENGTH_INCH, IDC_LENGTH_MILLIMETRE}) {
    EXPECT_EQ(Text(m_dlg, id), L"") << id;
  }
  // The emptied fields hold no number; the next value typed converts as usual.
  Type(m_dlg, IDC_LENGTH_MILE, L"2");
  EXPECT_EQ(Text(m_dlg, IDC_LENGTH_KILOMETRE), L"3.21800000");
  EXPECT_EQ(Text(m_dlg, IDC_LENGTH_METRE), L"3218.00000000");
}

// Found by the random walk (tests/robustness): fields that show no number, or infinity, after a
// huge input must not take or keep another value behind the user's back.
TEST_F(LengthTest, ARejectedKeyNeverTurnsAnEmptiedFieldIntoZero) {
  Type(m_dlg, IDC_LENGTH_KILOMETRE, L"1e309");
  Type(m_dlg, IDC_LENGTH_MILE, L"x");
  Type(m_dlg, IDC_LENGTH_METRE, L"x");
  EXPECT_EQ(Text(m_dlg, IDC_LENGTH_METRE), L"") << "the kilometres are still infinite";
  EXPECT_EQ(Text(m_dlg, IDC_LENGTH_MILE), L"");
}

TEST_F(LengthTest, ZeroTypedIntoAFieldTooLargeToShowConverts) {
  Type(m_dlg, IDC_LENGTH_KILOMETRE, L"1e30");
  ASSERT_EQ(Text(m_dlg, IDC_LENGTH_MILE), L"");
  Type(m_dlg, IDC_LENGTH_INCH, L"1x");
  Type(m_dlg, IDC_LENGTH_MILE, L"0");
  EXPECT_EQ(Text(m_dlg, IDC_LENGTH_KILOMETRE), L"0.00000000");
}

TEST_F(LengthTest, ARejectedKeyLeavesTheConvertedValuesExact) {
  Type(m_dlg, IDC_LENGTH_KILOMETRE, L"1");
  ASSERT_EQ(Text(m_dlg, IDC_LENGTH_MILE), L"0.62150404");
  const double miles = m_dlg.Value(length::kMile);
  Type(m_dlg, IDC_LENGTH_METRE, L"x");
  EXPECT_EQ(m_dlg.Value(length::kMile), miles) << "not the eight decimals shown";
}

TEST_F(LengthTest, InfinityNeverStaysOverAZero) {
  Type(m_dlg, IDC_LENGTH_KILOMETRE, L"1e308");
  ASSERT_EQ(Text(m_dlg, IDC_LENGTH_YARD), L"1.#INF0000");
  Type(m_dlg, IDC_LENGTH_KILOMETRE, L"0");
  EXPECT_EQ(Text(m_dlg, IDC_LENGTH_YARD), L"0.00000000");
  EXPECT_EQ(m_dlg.Value(length::kYard), 0);
}

void SelectAll(HWND field) {
  SendMessageW(field, EM_SETSEL, 0, -1);
}
void CaretToEnd(HWND field) {
  SendMessageW(field, EM_SETSEL, 32767, 32767);
}

// Typed, pasted or undone back to the very text the field shows for its value, a field holds what
// it now reads: the edit converts like any other.
TEST(ConverterTest, AnEditBackToTheShownTextConverts) {
  struct Case {
    const char* name;
    void (*away)(HWND mile, HWND kilometre);  // the mile field one digit past "2.00000000"
    void (*back)(HWND mile);                  // and back to that text
  };
  const auto typeTwoAndABit = [](HWND mile, HWND) {
    SelectAll(mile);
    TypeKeys(mile, L"2.000000001");
  };
  const Case cases[] = {
      {"Backspace", typeTwoAndABit, [](HWND mile) { TypeKeys(mile, L"\b"); }},
      {"paste", typeTwoAndABit,
       [](HWND mile) {
         ASSERT_TRUE(PutOnClipboard(mile, L"2.00000000"));
         SelectAll(mile);
         SendMessageW(mile, WM_PASTE, 0, 0);
       }},
      {"undo",
       [](HWND mile, HWND kilometre) {
         SelectAll(kilometre);
         TypeKeys(kilometre, L"3.218");  // the window writes "2.00000000" miles
         CaretToEnd(mile);
         TypeKeys(mile, L"1");
       },
       [](HWND mile) { SendMessageW(mile, WM_UNDO, 0, 0); }},
  };
  for (const Case& c : cases) {
    CLengthDlg dlg;
    ASSERT_TRUE(dlg.Create()) << c.name;
    const HWND mile = dlg.GetDlgItem(IDC_LENGTH_MILE);
    c.away(mile, dlg.GetDlgItem(IDC_LENGTH_KILOMETRE));
    ASSERT_EQ(Text(dlg, IDC_LENGTH_MILE), L"2.000000001") << c.name;
    ASSERT_EQ(Text(dlg, IDC_LENGTH_METRE), L"3218.00000161") << c.name;
    c.back(mile);
    ASSERT_EQ(Text(dlg, IDC_LENGTH_MILE), L"2.00000000") << c.name;
    EXPECT_EQ(Text(dlg, IDC_LENGTH_METRE), L"3218.00000000") << c.name;
    EXPECT_EQ(Text(dlg, IDC_LENGTH_MILLIMETRE), L"3218000.00000000") << c.name;
  }
}

TEST(ConverterTest, WithoutAMatrixEveryConvertedFieldIsZero) {
  CConverterDlg dlg(kLengthWindow, CUnitMatrix::NoTable{});
  ASSERT_TRUE(dlg.Create());
  EXPECT_EQ(Text(dlg, IDC_LENGTH_MILE), L"1.00000000");
  EXPECT_EQ(dlg.Value(length::kKilometre), 0);
  EXPECT_EQ(Text(dlg, IDC_LENGTH_KILOMETRE), L"") << "an empty field stays empty for 0";
  Type(dlg, IDC_LENGTH_METRE, L"5");
  EXPECT_EQ(Text(dlg, IDC_LENGTH_MILE), L"0.00000000");
}

TEST(ConverterTest, EnterInAFieldClosesTheWindow) {
  CTempDlg dlg;
  StillOpenGuard guard;
  bool sawWindow = false;
  ActInsideModalLoop([&](HWND hwnd) {
    sawWindow = TextOf(hwnd) == L"درجة الحرارة";
    const HWND field = GetDlgItem(hwnd, IDC_TEMP_FAHRENHEIT);
    SetFocus(field);
    {
      // Typed unseen by the change handler, so that only the closing can read it.
      const MessageTap unseen(hwnd, [](UINT message, WPARAM wParam) {
        return message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE;
      });
      SelectAll(field);
      TypeKeys(field, L"50");
    }
    MSG msg{field, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    IsDialogMessageW(hwnd, &msg);
    guard.Watch(hwnd);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK) << "the back button's result";
  EXPECT_TRUE(sawWindow);
  EXPECT_FALSE(guard.closedIt()) << "Enter left the window open";
  EXPECT_EQ(dlg.Value(temperature::kFahrenheit), 50) << "the fields were read on closing";
}

// The pointer moved over a window of the speed window: whether the window chose the pointer, and
// the pointer then shown.
std::pair<LRESULT, HCURSOR> PointerOver(const CSpeedDlg& dlg, HWND over) {
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  const LRESULT handled = SendMessageW(dlg.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(over),
                                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return {handled, GetCursor()};
}

TEST(SpeedCursorTest, HorseComesOnlyFromTheProgramFolder) {
  namespace fs = std::filesystem;
  const fs::path beside = CSpeedDlg::HorseCursorPath();
  ASSERT_TRUE(fs::exists(beside)) << "the build puts horse.ani beside the program";

  // A planted file in the current folder alone is not read.
  const fs::path elsewhere = fs::temp_directory_path() / L"ralimet-cwd";
  fs::create_directories(elsewhere);
  fs::copy_file(beside, elsewhere / L"horse.ani", fs::copy_options::overwrite_existing);
  const fs::path hidden = beside.wstring() + L".away";
  fs::rename(beside, hidden);
  const fs::path previous = fs::current_path();
  fs::current_path(elsewhere);
  {
    CSpeedDlg dlg;
    ASSERT_TRUE(dlg.Create());
    PointerOver(dlg, dlg.m_hWnd);
    EXPECT_EQ(dlg.GetHorseCursor(), nullptr);

    // Put back beside the program, it is loaded at the next pointer move.
    fs::rename(hidden, beside);
    PointerOver(dlg, dlg.m_hWnd);
    EXPECT_NE(dlg.GetHorseCursor(), nullptr);
  }
  fs::current_path(previous);
  if (fs::exists(hidden)) fs::rename(hidden, beside);
  fs::remove_all(elsewhere);
}

TEST(SpeedCursorTest, HorseOverTheBackgroundAndLabelsOnly) {
  CSpeedDlg dlg;
  ASSERT_TRUE(dlg.Create());
  const HWND field = dlg.GetDlgItem(IDC_SPEED_KNOT);
  const HWND label = GetWindow(field, GW_HWNDPREV);
  for (const HWND over : {dlg.m_hWnd, label}) {
    const auto [handled, cursor] = PointerOver(dlg, over);
    EXPECT_TRUE(handled);
    EXPECT_EQ(cursor, dlg.GetHorseCursor());
  }
  for (const HWND over : {field, dlg.GetDlgItem(IDOK)}) {
    const auto [handled, cursor] = PointerOver(dlg, over);
    EXPECT_FALSE(handled) << "the control keeps its own pointer";
    EXPECT_NE(cursor, dlg.GetHorseCursor());
  }
}

}  // namespace
