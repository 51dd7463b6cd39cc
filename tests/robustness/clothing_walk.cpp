// The random walk's model of the clothing sheet.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <array>
#include <map>
#include <span>
#include <string>

#include "res/resource.h"
#include "test_support.h"
#include "walk.h"

namespace random_walk {

// The size tables of the clothing sheet, written out here once: American, British and French
// sizes, row by row.
using SizeRow = std::array<const wchar_t*, 3>;
const SizeRow kMenSuits[] = {{L"36", L"36", L"46"}, {L"38", L"38", L"48"}, {L"40", L"40", L"50"},
                             {L"42", L"42", L"52"}, {L"44", L"44", L"54"}, {L"46", L"46", L"56"}};
const SizeRow kMenShoes[] = {{L"8", L"7", L"41"},       {L"8.5", L"7.5", L"42"},
                             {L"9.5", L"8.5", L"43"},   {L"10.5", L"9.5", L"44"},
                             {L"11.5", L"10.5", L"45"}, {L"12", L"11", L"46"}};
const SizeRow kWomenDresses[] = {
    {L"6", L"8", L"--"},   {L"8", L"10", L"38"},  {L"10", L"12", L"40"}, {L"12", L"14", L"42"},
    {L"14", L"16", L"44"}, {L"16", L"18", L"46"}, {L"18", L"20", L"48"}};
const SizeRow kWomenShoes[] = {{L"6", L"4.5", L"38"}, {L"6.5", L"5", L"38"}, {L"7", L"5.5", L"39"},
                               {L"7.5", L"6", L"39"}, {L"8", L"6.5", L"40"}, {L"8.5", L"7", L"41"},
                               {L"9", L"7.5", L"41"}};
// Garments then shoes, for the men's page (the first) and the women's.
const std::span<const SizeRow> kSizeTables[2][2] = {{kMenSuits, kMenShoes},
                                                    {kWomenDresses, kWomenShoes}};

// The clothing sheet: every list holds its column of the page's size tables; an entry chosen in
// a list brings the other two lists of its group to the same row and changes nothing else; a
// page shows again what it showed before.
class ClothingWalk : public WindowWalk {
 public:
  explicit ClothingWalk(HWND sheet) : m_sheet(sheet) {}

  Action Next(Walk& walk) override {
    static constexpr UINT kListKeys[] = {VK_UP, VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT};
    const int kind = walk.Int(0, 99);
    m_acted = -1;
    if (kind < 20) {
      const int tab = walk.Int(0, 1);
      return {"tab " + std::to_string(tab),
              [this, tab] { SendMessageW(m_sheet, PSM_SETCURSEL, tab, 0); }};
    }
    const int index = walk.Int(0, 5);
    const HWND page = Page();
    const HWND list = GetDlgItem(page, kLists[index]);
    if (kind < 75) {
      const UINT key = walk.Pick(kListKeys);
      return {"key " + std::to_string(key) + " on list " + std::to_string(kLists[index]),
              [this, index, list, key] {
                m_acted = index;
                m_chosen = false;
                PressKey(list, key);
              }};
    }
    const int rows = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    const int row = walk.Int(0, rows - 1);
    return {"row " + std::to_string(row) + " chosen in list " + std::to_string(kLists[index]),
            [this, index, list, row] {
              m_acted = index;
              m_chosen = true;
              ChooseListRow(list, row);
            }};
  }

  void Check() override {
    const HWND page = Page();
    ASSERT_NE(page, nullptr) << "the sheet shows no page";
    Rows now{};
    for (int i = 0; i < 6; ++i) {
      now[i] = static_cast<int>(SendMessageW(GetDlgItem(page, kLists[i]), CB_GETCURSEL, 0, 0));
    }
    const auto seen = m_seen.find(page);
    if (seen != m_seen.end()) {
      const Rows& before = seen->second;
      Rows aligned = before;
      if (m_acted >= 0) {
        const int group = m_acted / 3 * 3;
        for (int i = group; i < group + 3; ++i) aligned[i] = now[m_acted];
      }
      if (m_acted >= 0 && (m_chosen || now[m_acted] != before[m_acted])) {
        EXPECT_EQ(now, aligned) << "rows of the lists, garments then shoes";
      } else {
        // A key that leaves its list on the same row may still be told as a choice (Wine's
        // lists tell it at either end).
        EXPECT_TRUE(now == before || now == aligned)
            << "rows of the lists, garments then shoes: " << testing::PrintToString(now)
            << " after " << testing::PrintToString(before);
      }
    }
    m_seen[page] = now;
    ExpectSizeTexts(page);
  }

 private:
  using Rows = std::array<int, 6>;
  static constexpr int kLists[6] = {IDC_SIZE_GARMENT_US, IDC_SIZE_GARMENT_UK, IDC_SIZE_GARMENT_FR,
                                    IDC_SIZE_SHOE_US,    IDC_SIZE_SHOE_UK,    IDC_SIZE_SHOE_FR};

  HWND Page() const {
    return reinterpret_cast<HWND>(SendMessageW(m_sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  }

  void ExpectSizeTexts(HWND page) const {
    const auto index = SendMessageW(m_sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0);
    ASSERT_TRUE(index == 0 || index == 1) << "page " << index;
    for (int i = 0; i < 6; ++i) {
      const std::span<const SizeRow> table = kSizeTables[index][i / 3];
      const HWND list = GetDlgItem(page, kLists[i]);
      ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(table.size()))
          << "entries of list " << kLists[i] << " on page " << index;
      for (std::size_t row = 0; row < table.size(); ++row) {
        wchar_t text[16] = {};
        if (SendMessageW(list, CB_GETLBTEXTLEN, row, 0) < 16) {
          SendMessageW(list, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text));
        }
        EXPECT_EQ(Printable(text), Printable(table[row][i % 3]))
            << "row " << row << " of list " << kLists[i] << " on page " << index;
      }
    }
  }

  HWND m_sheet;
  std::map<HWND, Rows> m_seen;  // each page's rows when last checked
  int m_acted = -1;             // the list the last action was on
  bool m_chosen = false;        // chosen with the mouse: told even when the row did not change
};

std::unique_ptr<WindowWalk> ClothingRules(HWND sheet) {
  return std::make_unique<ClothingWalk>(sheet);
}

}  // namespace random_walk
