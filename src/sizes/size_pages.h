#pragma once

#include <array>

#include "framework/property_sheet.h"
#include "sizes/size_tables.h"

// A page of two groups (garments, shoes) of three lists (American, British, French). Choosing
// an entry in one list brings the other two lists of its group to the same row.
class CSizePage : public CPropertyPage {
  DECLARE_DYNAMIC(CSizePage)

 public:
  struct Group {
    const wchar_t* name;  // as its box is captioned, for screen readers
    SizeTable table;
    std::array<int, 3> lists;  // American, British, French
    std::array<int, 3> firstEntries;  // selected when the page is first shown
  };

  CSizePage(UINT nIDTemplate, const Group& garments, const Group& shoes);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnSelChange(UINT listId);

  DECLARE_MESSAGE_MAP()

 private:
  void Fill(const Group& group);

  std::array<Group, 2> m_groups;
  std::array<HWND, 6> m_lists{};  // bound in group order: garments, then shoes
};

// Men's suits, coats and shoes.
class CMenDPage : public CSizePage {
  DECLARE_DYNCREATE(CMenDPage)

 public:
  CMenDPage();
};

// Women's suits, dresses and shoes. The French dress list opens on its second entry ("38").
class CWomDPage : public CSizePage {
  DECLARE_DYNCREATE(CWomDPage)

 public:
  CWomDPage();
};
