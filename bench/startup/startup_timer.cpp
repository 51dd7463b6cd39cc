// Times programs' start-up from inside one Wine session, so Wine's own start is not counted:
// starts each program in turn, waits for its first visible top-level window, then for it to wait
// for input, and ends it. Prints the median, lowest and highest of each.
// Usage: startup_timer RUNS PROGRAM [PROGRAM...]   (Unix paths are reached through drive Z:)
#include <windows.h>
// After windows.h: timeBeginPeriod, left out by WIN32_LEAN_AND_MEAN.
#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Starts before the timed ones, to have the program's files in the cache and Wine's DLLs mapped.
constexpr int kWarmUpRuns = 2;
constexpr DWORD kTimeoutMs = 20000;

struct WindowSearch {
  DWORD processId;
  bool found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  if (processId != search->processId || !IsWindowVisible(hwnd)) return TRUE;
  search->found = true;
  return FALSE;
}

BOOL CALLBACK CloseWindows(HWND hwnd, LPARAM processId) {
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner == static_cast<DWORD>(processId)) PostMessageW(hwnd, WM_CLOSE, 0, 0);
  return TRUE;
}

std::wstring WindowsPath(std::wstring path) {
  std::replace(path.begin(), path.end(), L'/', L'\\');
  if (path.starts_with(L'\\')) path.insert(0, L"Z:");
  return path;
}

struct Timing {
  double shownMs;
  double idleMs;
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// One start of the program; false when it showed no window in time.
bool TimeOneStart(const std::wstring& path, Timing& timing) {
  LARGE_INTEGER frequency, start, shown, idle;
  QueryPerformanceFrequency(&frequency);
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", path.c_str(), GetLastError());
    return false;
  }
  WindowSearch search{process.dwProcessId, false};
  bool shownInTime = false;
  for (;;) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&shown);
    if (search.found) {
      shownInTime = true;
      break;
    }
    if (Milliseconds(start, shown, frequency) > kTimeoutMs ||
        WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
      break;
    }
    Sleep(1);
  }
  if (shownInTime) {
    WaitForInputIdle(process.hProcess, kTimeoutMs);
    QueryPerformanceCounter(&idle);
    timing = {Milliseconds(start, shown, frequency), Milliseconds(start, idle, frequency)};
  } else {
    std::fwprintf(stderr, L"%ls showed no window\n", path.c_str());
  }
  EnumWindows(CloseWindows, static_cast<LPARAM>(process.dwProcessId));
  if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return shownInTime;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: startup_timer RUNS PROGRAM [PROGRAM...]\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  std::vector<std::wstring> programs;
  for (int i = 2; i < argc; ++i) programs.push_back(WindowsPath(argv[i]));
  std::vector<std::vector<Timing>> timings(programs.size());

  timeBeginPeriod(1);  // Sleep(1) between looks for the window really sleeps about 1 ms
  // Round by round, one start of each program, so that a slower spell of the machine falls on
  // all of them alike.
  for (int round = 0; round < kWarmUpRuns + runs; ++round) {
    for (std::size_t p = 0; p < programs.size(); ++p) {
      Timing timing{};
      if (!TimeOneStart(programs[p], timing)) return 1;
      if (round >= kWarmUpRuns) timings[p].push_back(timing);
    }
  }
  timeEndPeriod(1);

  std::vector<double> medians;
  std::vector<std::wstring> names;
  std::wprintf(L"%d starts each, after %d to warm up; milliseconds from CreateProcess\n", runs,
               kWarmUpRuns);
  std::wprintf(L"%-24ls %32ls %24ls\n", L"program", L"window shown: median (min-max)",
               L"waits for input: median");
  for (std::size_t p = 0; p < programs.size(); ++p) {
    std::vector<double> shown, idle;
    for (const Timing& t : timings[p]) {
      shown.push_back(t.shownMs);
      idle.push_back(t.idleMs);
    }
    medians.push_back(Median(shown));
    names.push_back(programs[p].substr(programs[p].find_last_of(L'\\') + 1));
    std::wprintf(L"%-24ls %16.1f (%6.1f-%6.1f) %24.1f\n", names.back().c_str(), medians.back(),
                 *std::min_element(shown.begin(), shown.end()),
                 *std::max_element(shown.begin(), shown.end()), Median(idle));
  }
  for (std::size_t p = 1; p < programs.size(); ++p) {
    std::wprintf(L"window shown, %ls against %ls: %.2f times\n", names[0].c_str(),
                 names[p].c_str(), medians[0] / medians[p]);
  }
  return 0;
}
