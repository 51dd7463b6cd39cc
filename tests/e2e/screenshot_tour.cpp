// Takes the README's pictures: starts ralimet.exe, opens every window from the panel as a user
// would and saves each window, frame and all, as a bitmap file. scripts/screenshots runs it in a
// Wine desktop on a virtual display, where the screen holds what the program drew.
// Usage: screenshot_tour OUTPUT_FOLDER
// Writes NAME.bmp for each picture, then "done" holding "ok" or "failed" (a Wine desktop does not
// hand its programs' exit codes on).
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "program.h"
#include "res/resource.h"

namespace e2e {
namespace {

std::wstring g_folder;

// Long enough for a window to draw itself after it opens or changes.
void Settle() {
  std::this_thread::sleep_for(milliseconds(1500));
}

bool SaveBitmap(const ScreenShot& shot, const std::wstring& path) {
  const int stride = (shot.width * 3 + 3) & ~3;
  BITMAPINFOHEADER info{sizeof info, shot.width, shot.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof file + sizeof info};
  file.bfSize = file.bfOffBits + static_cast<DWORD>(stride) * shot.height;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  for (int y = shot.height - 1; y >= 0; --y) {  // bottom-up
    std::string row(stride, '\0');
    for (int x = 0; x < shot.width; ++x) {
      const COLORREF c = shot.At(x, y);
      row[3 * x] = static_cast<char>(GetBValue(c));
      row[3 * x + 1] = static_cast<char>(GetGValue(c));
      row[3 * x + 2] = static_cast<char>(GetRValue(c));
    }
    bytes += row;
  }
  const UniqueFile out(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  if (!out) return false;
  DWORD written = 0;
  return WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool Shoot(HWND window, const char* name) {
  Settle();
  RECT rect{};
  GetWindowRect(window, &rect);
  const ScreenShot shot = ShootScreen(rect);
  const std::wstring path =
      g_folder + L"\\" + std::wstring(name, name + std::strlen(name)) + L".bmp";
  const bool ok = shot.width > 0 && SaveBitmap(shot, path);
  std::printf("%s %s\n", ok ? "took" : "could not take", name);
  return ok;
}

// Types into a field as the keyboard does, over what it held.
void Type(HWND field, const wchar_t* text) {
  PostMessageW(field, EM_SETSEL, 0, -1);
  for (const wchar_t* c = text; *c; ++c) PostMessageW(field, WM_CHAR, *c, 1);
}

struct Shot {
  int button;
  const char* name;
};
constexpr Shot kDialogs[] = {
    {10, "about"}, {5, "length"},   {0, "area"}, {8, "volume"},    {9, "weight"},
    {3, "speed"},  {6, "duration"}, {1, "date"}, {4, "worldtime"},
};

bool Tour() {
  bool ok = true;
  {
    Program program;
    if (!program.Start(L"") || !program.WaitForMainWindow()) return false;
    ok &= Shoot(program.MainWindow(), "main");
    for (const Shot& s : kDialogs) {
      const HWND window = program.OpenFromPanel(s.button);
      if (!window) return false;
      ok &= Shoot(window, s.name);
      CloseByBackButton(window);
    }
    // A negative value shows in red.
    const HWND temperature = program.OpenFromPanel(7);
    if (!temperature) return false;
    Type(GetDlgItem(temperature, IDC_TEMP_CELSIUS), L"-40");
    ok &= Shoot(temperature, "temperature");
    CloseByBackButton(temperature);
    const HWND sheet = program.OpenFromPanel(2);
    if (!sheet) return false;
    ok &= Shoot(sheet, "clothing-men");
    PostMessageW(sheet, PSM_SETCURSEL, 1, 0);
    ok &= Shoot(sheet, "clothing-women");
    CloseByBackButton(sheet);
  }
  Program pictures;  // the second picture set
  if (!pictures.Start(L"pictures") || !pictures.WaitForMainWindow()) return false;
  return Shoot(pictures.MainWindow(), "main-second-set") && ok;
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: screenshot_tour OUTPUT_FOLDER\n");
    return 2;
  }
  // Places and pixels of the program's windows in the screen's own pixels, at any display scale.
  SetProcessDPIAware();
  e2e::g_folder = e2e::WindowsPath(argv[1]);
  const bool ok = e2e::Tour();
  if (FILE* done = _wfopen((e2e::g_folder + L"\\done").c_str(), L"wb")) {
    std::fputs(ok ? "ok\n" : "failed\n", done);
    std::fclose(done);
  }
  return ok ? 0 : 1;
}
