#pragma once

#include "framework/app.h"

// The application: picks the panel's picture set from the command line, opens the main window
// and names where the settings live.
class CRalimetApp : public CWinApp {
 public:
  // The settings live under HKEY_CURRENT_USER\Software\<kRegistryKey>\<kProfileName>.
  static constexpr wchar_t kRegistryKey[] = L"NURIX\\TALVORA\\2.0\\MERISK";
  static constexpr wchar_t kProfileName[] = L"KALVENT";

  // Added to every panel bitmap identifier: 1000 (the alternative pictures) when the command
  // line holds a plain argument, else 0.
  int m_nBitmapBase = 0;

  BOOL InitInstance() override;

  DECLARE_MESSAGE_MAP()
};
