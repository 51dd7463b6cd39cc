#pragma once

// Tests of one window made modeless from its real template: Open() makes it anew, Item() finds
// its controls, and it is closed after each test.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <memory>

template <class Dialog>
class ModelessDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
  }
  void TearDown() override { m_dlg.reset(); }

  // A new window in place of the one before.
  void Open() {
    m_dlg.reset();
    m_dlg = std::make_unique<Dialog>();
    ASSERT_TRUE(m_dlg->Create());
  }

  HWND Item(int id) const { return m_dlg->GetDlgItem(id); }

  std::unique_ptr<Dialog> m_dlg;
};
