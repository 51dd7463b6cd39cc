#pragma once

#include "pictures/palette_window.h"
#include "sizes/size_pages.h"

// The clothing sizes window: the men's and the women's pages, and one button, "رجــوع".
class CDlgDress : public CPaletteWindow<CPropertySheet> {
  DECLARE_DYNAMIC(CDlgDress)

 public:
  CDlgDress();

 protected:
  BOOL OnInitDialog() override;
  // Enter still asks for the OK button that is gone; it closes the sheet as "رجــوع" does.
  void OnEnter();

  DECLARE_MESSAGE_MAP()

 private:
  CWomDPage m_pageWomen;
  CMenDPage m_pageMen;
};
