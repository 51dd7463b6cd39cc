// The clothing sizes sheet run as the launcher runs it, with its lists chosen from as a user does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "sizes/dress_sheet.h"
#include "test_support.h"

namespace {

constexpr int kMen = 0;
constexpr int kWomen = 1;

HWND CurrentPage(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void ShowTab(HWND sheet, int tab) {
  SendMessageW(sheet, PSM_SETCURSEL, tab, 0);
}

// The six lists of a page: garments American, British, French, then shoes.
const std::vector<int> kLists = {IDC_SIZE_GARMENT_US, IDC_SIZE_GARMENT_UK, IDC_SIZE_GARMENT_FR,
                                 IDC_SIZE_SHOE_US,    IDC_SIZE_SHOE_UK,    IDC_SIZE_SHOE_FR};

// What a page's lists show, one space between two, and what they show as it opens (the French
// dress list on its second entry).
std::wstring Shown(HWND page) {
  std::wstring texts;
  for (int id : kLists) texts += (texts.empty() ? L"" : L" ") + TextOf(GetDlgItem(page, id));
  return texts;
}
const std::wstring kMenOpened = L"36 36 46 8 7 41";
const std::wstring kWomenOpened = L"6 8 38 6 4.5 38";

// Opens the sheet, runs act on it and closes it with its button.
INT_PTR RunSheet(const std::function<void(HWND sheet)>& act) {
  CDlgDress sheet;
  ActInsideModalLoop([&](HWND hwnd) {
    act(hwnd);
    if (IsWindow(hwnd)) SendMessageW(hwnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  });
  return sheet.DoModal();
}

TEST(ClothingSheetTest, OpensOnTheMenTabWithOneBackButton) {
  const INT_PTR result = RunSheet([](HWND sheet) {
    EXPECT_EQ(TextOf(sheet), L"مقاسات الملبوسات");
    const HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
    ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), kMen);
    for (const auto& [index, title] : {std::pair{0, L"رجال"}, std::pair{1, L"سيدات"}}) {
      wchar_t text[32] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = text;
      item.cchTextMax = 32;
      SendMessageW(tabs, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
      EXPECT_STREQ(text, title);
    }

    EXPECT_EQ(GetDlgItem(sheet, IDOK), nullptr) << "no OK button";
    for (int other : {0x3021 /* Apply */, IDHELP}) {
      const HWND button = GetDlgItem(sheet, other);
      EXPECT_TRUE(!button || !IsWindowVisible(button)) << other;
    }
    const HWND back = GetDlgItem(sheet, IDCANCEL);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(IsWindowVisible(back));
    EXPECT_EQ(TextOf(back), L"رجــوع");
    RECT rect;
    GetWindowRect(back, &rect);
    MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 8);
    RECT client;
    GetClientRect(sheet, &client);
    EXPECT_GT(rect.top, client.bottom / 2) << "it stays where the buttons stand, at the bottom";
  });
  EXPECT_EQ(result, IDCANCEL);
}

TEST(ClothingSheetTest, ChoosingAnEntryBringsItsGroupToTheSameRowAndLeavesTheOtherPage) {
  struct Case {
    const char* name;
    int tab;
    int list;
    int entry;
    const wchar_t* shown;
  };
  const Case cases[] = {
      {"women: French --", kWomen, IDC_SIZE_GARMENT_FR, 0, L"6 8 -- 6 4.5 38"},
      {"women: American 8", kWomen, IDC_SIZE_GARMENT_US, 1, L"8 10 38 6 4.5 38"},
      {"women: the first French 39", kWomen, IDC_SIZE_SHOE_FR, 2, L"6 8 38 7 5.5 39"},
      {"women: the second French 39", kWomen, IDC_SIZE_SHOE_FR, 3, L"6 8 38 7.5 6 39"},
      {"men: British 8.5", kMen, IDC_SIZE_SHOE_UK, 2, L"36 36 46 9.5 8.5 43"},
      {"men: French 52", kMen, IDC_SIZE_GARMENT_FR, 3, L"42 42 52 8 7 41"},
  };
  for (const Case& c : cases) {
    RunSheet([&](HWND sheet) {
      ShowTab(sheet, c.tab);
      const HWND page = CurrentPage(sheet);
      ChooseListRow(GetDlgItem(page, c.list), c.entry);
      EXPECT_EQ(Shown(page), c.shown) << c.name;
      ShowTab(sheet, c.tab == kMen ? kWomen : kMen);
      EXPECT_EQ(Shown(CurrentPage(sheet)), c.tab == kMen ? kWomenOpened : kMenOpened)
          << c.name << ": the other page";
    });
  }
}

TEST(ClothingSheetTest, TabVisitsTheSixListsInOrder) {
  RunSheet([](HWND sheet) {
    const HWND page = CurrentPage(sheet);
    std::vector<int> visited;
    HWND at = GetDlgItem(page, IDC_SIZE_GARMENT_US);
    for (int i = 0; i < 6; ++i) {
      visited.push_back(GetDlgCtrlID(at));
      at = GetNextDlgTabItem(page, at, FALSE);
    }
    EXPECT_EQ(visited, kLists);
  });
}

TEST(ClothingSheetTest, SelectionsSurviveTabSwitchesButNotAReopening) {
  RunSheet([](HWND sheet) {
    ChooseListRow(GetDlgItem(CurrentPage(sheet), IDC_SIZE_SHOE_US), 5);
    ShowTab(sheet, kWomen);
    ShowTab(sheet, kMen);
    EXPECT_EQ(Shown(CurrentPage(sheet)), L"36 36 46 12 11 46");
  });
  RunSheet([](HWND sheet) { EXPECT_EQ(Shown(CurrentPage(sheet)), kMenOpened); });
}

// A key pressed in the first list of the page shown, through the sheet's dialog manager.
void PressInFirstList(HWND sheet, UINT vk) {
  MSG msg{GetDlgItem(CurrentPage(sheet), IDC_SIZE_GARMENT_US), WM_KEYDOWN, vk, 0, 0, {}};
  IsDialogMessageW(sheet, &msg);
}

TEST(ClothingSheetTest, ClosesWithEscapeEnterAndTheCloseBox) {
  struct Closer {
    const char* name;
    void (*close)(HWND sheet);
  };
  const Closer closers[] = {
      {"Escape", [](HWND sheet) { PressInFirstList(sheet, VK_ESCAPE); }},
      {"Enter", [](HWND sheet) { PressInFirstList(sheet, VK_RETURN); }},
      {"close box", [](HWND sheet) { SendMessageW(sheet, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const Closer& closer : closers) {
    CDlgDress sheet;
    StillOpenGuard guard;
    bool sawSheet = false;
    ActInsideModalLoop([&](HWND hwnd) {
      sawSheet = hwnd == sheet.m_hWnd;
      closer.close(hwnd);
      // The sheet leaves its loop at the next message; give it one.
      PostMessageW(hwnd, WM_NULL, 0, 0);
      guard.Watch(hwnd);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL) << closer.name;
    EXPECT_TRUE(sawSheet) << closer.name;
    EXPECT_FALSE(guard.closedIt()) << closer.name << " left the sheet open";
  }
}

}  // namespace
