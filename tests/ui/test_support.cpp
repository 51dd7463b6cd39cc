#include "test_support.h"

#include <cstring>

#include "framework/handles.h"
#include "platform/platform.h"

namespace {

void FreeGlobalMemory(HGLOBAL memory) { GlobalFree(memory); }
using UniqueGlobal = UniqueHandle<HGLOBAL, FreeGlobalMemory>;

int g_beeps = 0;
platform::BeepFn g_previousBeep = nullptr;

std::vector<const void*> g_plays;
int g_stops = 0;
platform::SoundHooks g_previousSound{};

}  // namespace

BeepCounter::BeepCounter() {
  g_beeps = 0;
  g_previousBeep = platform::SetBeepForTesting([] { ++g_beeps; });
}
BeepCounter::~BeepCounter() { platform::SetBeepForTesting(g_previousBeep); }
int BeepCounter::count() const { return g_beeps; }

SoundRecorder::SoundRecorder() {
  g_plays.clear();
  g_stops = 0;
  g_previousSound = platform::SetSoundForTesting(
      {[](const void* sound) { g_plays.push_back(sound); }, [] { ++g_stops; }});
}
SoundRecorder::~SoundRecorder() { platform::SetSoundForTesting(g_previousSound); }
const std::vector<const void*>& SoundRecorder::plays() const { return g_plays; }
int SoundRecorder::stops() const { return g_stops; }

void PressKey(HWND control, UINT vk) {
  SendMessageW(control, WM_KEYDOWN, vk, 1);
  SendMessageW(control, WM_KEYUP, vk, 0xC0000001);
}

void TypeKeys(HWND control, std::wstring_view keys) {
  for (const wchar_t key : keys) SendMessageW(control, WM_CHAR, key, 1);
}

bool PutOnClipboard(HWND owner, const std::wstring& text) {
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  bool put = false;
  if (memory) {
    std::memcpy(GlobalLock(memory.get()), text.c_str(), bytes);
    GlobalUnlock(memory.get());
    // Once the clipboard has taken the memory, it is the clipboard's to free.
    put = SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr;
    if (put) memory.release();
  }
  CloseClipboard();
  return put;
}

void ClickUpDownArrow(HWND upDown, bool upper) {
  RECT rect;
  GetClientRect(upDown, &rect);
  const LPARAM at = MAKELPARAM(rect.right / 2, upper ? rect.bottom / 4 : rect.bottom * 3 / 4);
  SendMessageW(upDown, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(upDown, WM_LBUTTONUP, 0, at);
  // A real pointer moves on. Left over it, Wine's up-down steps once more, from the position it
  // held at its last step, when the timer of a later arrow key on its field runs out.
  SendMessageW(upDown, WM_MOUSELEAVE, 0, 0);
}

namespace {

std::function<void(HWND)> g_act;

// A named CALLBACK: on i686 a lambda would not have the timer's calling convention.
void CALLBACK ActNow(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_act(GetActiveWindow());
}

}  // namespace

void ActInsideModalLoop(std::function<void(HWND active)> act) {
  g_act = std::move(act);
  SetTimer(nullptr, 0, 10, ActNow);
}

namespace {

HWND g_watched = nullptr;
bool g_closedIt = false;

void CALLBACK CloseIfStillOpen(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_closedIt = IsWindow(g_watched);
  if (g_closedIt) PostMessageW(g_watched, WM_CLOSE, 0, 0);
}

}  // namespace

StillOpenGuard::~StillOpenGuard() {
  if (m_timer) KillTimer(nullptr, m_timer);
}

void StillOpenGuard::Watch(HWND window) {
  g_watched = window;
  g_closedIt = false;
  m_timer = SetTimer(nullptr, 0, 1000, CloseIfStillOpen);
}

bool StillOpenGuard::closedIt() const { return g_closedIt; }

void ChooseListRow(HWND list, int row) {
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

int PumpMessages() {
  int exitCode = -1;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      exitCode = static_cast<int>(msg.wParam);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return exitCode;
}
