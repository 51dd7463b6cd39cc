#pragma once

#include <string>

#include "framework/app.h"
#include "framework/create_failure.h"

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

  // Makes the main window; when it cannot, tells the user which step failed and answers FALSE.
  BOOL InitInstance() override;
  // What the user is told when the main window could not be made.
  static std::wstring StartFailureText(const CreateFailure& failure);

  DECLARE_MESSAGE_MAP()
};
