#pragma once

#include <memory>
#include <string>

#include "framework/document.h"

// What the command line asked for: the first plain argument (not starting with "-" or "/") is
// the file name; switches are read and ignored.
class CCommandLineInfo {
 public:
  std::wstring m_strFileName;
};

// The application: start-up, the message loop, the document template, and the settings kept in
// the registry (the profile).
class CWinApp : public CCmdTarget {
 public:
  CWinApp();
  ~CWinApp() override;

  virtual BOOL InitInstance();
  // The message loop of the main window; ends with ExitInstance.
  virtual int Run();
  // Answers the program's exit code: by default the one the quit message carried.
  virtual int ExitInstance();

  void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> pTemplate);
  void ParseCommandLine(CCommandLineInfo& info) const;
  // Kept for the start-up sequence: the program keeps no recent-file list, so nothing is loaded.
  void LoadStdProfileSettings(UINT) {}

  // From here on the profile lives under HKEY_CURRENT_USER\Software\<key>\<profile name>.
  void SetRegistryKey(const wchar_t* key) { m_strRegistryKey = key; }
  // The stored REG_DWORD, or nDefault when there is none or it is not a REG_DWORD of 4 bytes.
  UINT GetProfileInt(const wchar_t* section, const wchar_t* entry, int nDefault) const;
  bool WriteProfileInt(const wchar_t* section, const wchar_t* entry, int nValue) const;

  const wchar_t* m_lpCmdLine = L"";
  int m_nCmdShow = SW_SHOWNORMAL;
  std::wstring m_strRegistryKey;  // empty: no profile yet
  std::wstring m_strProfileName;

 protected:
  void OnFileNew();
  void OnFileOpen();

 private:
  std::wstring SectionKeyPath(const wchar_t* section) const;

  std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
  int m_nExitCode = 0;
};

// The one application object; null before it is constructed.
CWinApp* AfxGetApp();

// The program's entry: runs the application object's start-up and message loop.
int AfxWinMain(const wchar_t* cmdLine, int nCmdShow);
