#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/dialog.h"

// One page of a property sheet, made from its dialog template the first time the sheet shows it.
class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  explicit CPropertyPage(UINT nIDTemplate);

  // What the sheet is given for this page.
  PROPSHEETPAGEW m_psp{};

 private:
  static INT_PTR CALLBACK StaticPageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// A window of tabbed pages over the platform's property sheet, run modally. The sheet window is
// taken over as it is made, so OnInitDialog runs after the platform has made the tabs, the first
// page and the buttons, and the window's messages (WM_ACTIVATE, commands) reach this class.
class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)

 public:
  CPropertySheet(const wchar_t* caption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

  void AddPage(CPropertyPage* pPage) { m_pages.push_back(pPage); }
  // Answers how the sheet was closed (IDOK, IDCANCEL), or -1 when it could not be made.
  virtual INT_PTR DoModal();

  PROPSHEETHEADERW m_psh{};

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual BOOL OnInitDialog();

 private:
  static LRESULT CALLBACK CatchSheetWindow(int code, WPARAM wParam, LPARAM lParam);

  // The tabs, buttons and pages follow another display scale, in the font the system made the
  // sheet with, made anew for the scale.
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

  std::wstring m_strCaption;
  CWnd* m_pParentWnd;
  DialogScale m_scale;
  DialogFont m_font;  // known from the first change of scale on
  std::vector<CPropertyPage*> m_pages;
};
