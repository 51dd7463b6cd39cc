#include "framework/app.h"

#include <shellapi.h>

#include "framework/handles.h"
#include "platform/platform.h"

namespace {
CWinApp* g_pApp = nullptr;
}  // namespace

CWinApp* AfxGetApp() { return g_pApp; }

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp() {
  if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    const auto* pFrame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    const bool forFrame =
        pFrame && (msg.hwnd == pFrame->m_hWnd || IsChild(pFrame->m_hWnd, msg.hwnd));
    if (forFrame && pFrame->m_hAccelTable &&
        TranslateAcceleratorW(pFrame->m_hWnd, pFrame->m_hAccelTable, &msg)) {
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  m_nExitCode = static_cast<int>(msg.wParam);
  return ExitInstance();
}

int CWinApp::ExitInstance() { return m_nExitCode; }

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> pTemplate) {
  m_pDocTemplate = std::move(pTemplate);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const {
  // The program's own name comes first; CommandLineToArgvW needs it there.
  std::wstring line = L"ralimet ";
  line += m_lpCmdLine;
  int count = 0;
  const UniqueLocal<wchar_t**> args(CommandLineToArgvW(line.c_str(), &count));
  if (!args) return;
  for (int i = 1; i < count; ++i) {
    const wchar_t* arg = args.get()[i];
    if (arg[0] == L'-' || arg[0] == L'/') continue;
    if (info.m_strFileName.empty()) info.m_strFileName = arg;
  }
}

void CWinApp::OnFileNew() {
  if (m_pDocTemplate) m_pDocTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
  std::wstring path;
  const CWnd* pMain = AfxGetMainWnd();
  if (!m_pDocTemplate || !platform::AskFileName(pMain ? pMain->m_hWnd : nullptr, false, path)) {
    return;
  }
  m_pDocTemplate->OpenDocumentFile(path.c_str());
}

std::wstring CWinApp::SectionKeyPath(const wchar_t* section) const {
  return L"Software\\" + m_strRegistryKey + L"\\" + m_strProfileName + L"\\" + section;
}

UINT CWinApp::GetProfileInt(const wchar_t* section, const wchar_t* entry, int nDefault) const {
  if (m_strRegistryKey.empty()) return static_cast<UINT>(nDefault);
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionKeyPath(section).c_str(), 0, KEY_READ, &raw) !=
      ERROR_SUCCESS) {
    return static_cast<UINT>(nDefault);
  }
  const UniqueRegKey key(raw);
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG result =
      RegQueryValueExW(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  // Whatever else is stored there (a string, eight bytes, nothing) is not ours to read.
  if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) {
    return static_cast<UINT>(nDefault);
  }
  return value;
}

bool CWinApp::WriteProfileInt(const wchar_t* section, const wchar_t* entry, int nValue) const {
  if (m_strRegistryKey.empty()) return false;
  HKEY raw = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionKeyPath(section).c_str(), 0, nullptr, 0,
                      KEY_WRITE, nullptr, &raw, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const UniqueRegKey key(raw);
  const auto value = static_cast<DWORD>(nValue);
  return RegSetValueExW(key.get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                        sizeof value) == ERROR_SUCCESS;
}

int AfxWinMain(const wchar_t* cmdLine, int nCmdShow) {
  CWinApp* pApp = AfxGetApp();
  if (!pApp) return -1;
  pApp->m_lpCmdLine = cmdLine ? cmdLine : L"";
  pApp->m_nCmdShow = nCmdShow;
  if (!pApp->InitInstance()) return pApp->ExitInstance();
  return pApp->Run();
}
