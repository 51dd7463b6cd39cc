#pragma once

#include "framework/dialog.h"
#include "res/resource.h"

// The program's icon, name, version, rights notice and legal warning. Holds nothing.
class CAboutDlg : public CDialog {
 public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
