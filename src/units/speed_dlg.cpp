#include "units/speed_dlg.h"

#include <cwchar>

std::wstring CSpeedDlg::HorseCursorPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  path.resize(path.find_last_of(L"\\/") + 1);
  return path + L"horse.ani";
}

BOOL CSpeedDlg::OnSetCursor(HWND hwnd, UINT hitTest, UINT message) {
  // A failed load is tried again at the next pointer move.
  if (!m_hHorseCursor) {
    const std::wstring path = HorseCursorPath();
    if (!path.empty()) m_hHorseCursor.reset(LoadCursorFromFileW(path.c_str()));
  }
  wchar_t className[16] = {};
  GetClassNameW(hwnd, className, static_cast<int>(std::size(className)));
  const bool overBackgroundOrLabel =
      hwnd == m_hWnd || _wcsicmp(className, L"Static") == 0;
  if (m_hHorseCursor && hitTest == HTCLIENT && overBackgroundOrLabel) {
    SetCursor(m_hHorseCursor.get());
    return TRUE;
  }
  return CConverterDlg::OnSetCursor(hwnd, hitTest, message);
}
