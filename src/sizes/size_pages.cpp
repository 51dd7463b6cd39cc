#include "sizes/size_pages.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "accessibility/control_names.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CSizePage, CPropertyPage)
IMPLEMENT_DYNCREATE(CMenDPage, CSizePage)
IMPLEMENT_DYNCREATE(CWomDPage, CSizePage)

namespace {

constexpr std::array<int, 3> kGarmentLists{IDC_SIZE_GARMENT_US, IDC_SIZE_GARMENT_UK,
                                           IDC_SIZE_GARMENT_FR};
constexpr std::array<int, 3> kShoeLists{IDC_SIZE_SHOE_US, IDC_SIZE_SHOE_UK, IDC_SIZE_SHOE_FR};

// A list reads to a screen reader as its group and its system, "أحذية، فرنسي": its labels stand
// after it in the template, so the system's own rule would give it no name.
constexpr std::array<const wchar_t*, 3> kSystemNames{L"أمريكي", L"بريطاني", L"فرنسي"};
constexpr wchar_t kNameSeparator[] = L"، ";

std::wstring Widen(const char* ascii) { return std::wstring(ascii, ascii + std::strlen(ascii)); }

}  // namespace

const CommandRoute CSizePage::kRoutes[] = {
    CommandRange(CBN_SELCHANGE, IDC_SIZE_GARMENT_US, IDC_SIZE_GARMENT_FR, &CSizePage::OnSelChange),
    CommandRange(CBN_SELCHANGE, IDC_SIZE_SHOE_US, IDC_SIZE_SHOE_FR, &CSizePage::OnSelChange),
};
const MessageMap CSizePage::kMessageMap{&CPropertyPage::kMessageMap, kRoutes};

CSizePage::CSizePage(UINT nIDTemplate, const Group& garments, const Group& shoes)
    : CPropertyPage(nIDTemplate), m_groups{garments, shoes} {}

CMenDPage::CMenDPage()
    : CSizePage(IDD_MEN_SIZES, {L"بدل ومعاطف", kMenSuits, kGarmentLists, {0, 0, 0}},
                {L"أحذية", kMenShoes, kShoeLists, {0, 0, 0}}) {}

CWomDPage::CWomDPage()
    : CSizePage(IDD_WOMEN_SIZES, {L"بدل وفساتين", kWomenDresses, kGarmentLists, {0, 0, 1}},
                {L"أحذية", kWomenShoes, kShoeLists, {0, 0, 0}}) {}

void CSizePage::DoDataExchange(CDataExchange* pDX) {
  for (std::size_t g = 0; g < m_groups.size(); ++g) {
    for (std::size_t c = 0; c < 3; ++c) DDX_Control(pDX, m_groups[g].lists[c], m_lists[g * 3 + c]);
  }
}

BOOL CSizePage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  for (const Group& group : m_groups) Fill(group);
  return TRUE;
}

void CSizePage::Fill(const Group& group) {
  for (std::size_t c = 0; c < 3; ++c) {
    const HWND list = GetDlgItem(group.lists[c]);
    for (const SizeRow& row : group.table) {
      const char* text = c == 0 ? row.american : c == 1 ? row.british : row.french;
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    }
    SendMessageW(list, CB_SETCURSEL, group.firstEntries[c], 0);
    SetAccessibleName(list, group.name + std::wstring(kNameSeparator) + kSystemNames[c]);
  }
}

void CSizePage::OnSelChange(UINT listId) {
  for (const Group& group : m_groups) {
    if (std::find(group.lists.begin(), group.lists.end(), static_cast<int>(listId)) ==
        group.lists.end()) {
      continue;
    }
    const LRESULT row = SendMessageW(GetDlgItem(listId), CB_GETCURSEL, 0, 0);
    // CB_SETCURSEL sends no notification: the other lists do not echo back.
    for (const int other : group.lists) {
      if (other != static_cast<int>(listId)) SendMessageW(GetDlgItem(other), CB_SETCURSEL, row, 0);
    }
  }
}
