// The engine of the random walk through the windows of the panel, shared by the walk and the
// models of its windows: a window's model draws the next action from the walk and checks the
// window's rules after it.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>

class CConverterDlg;
class CRalimetView;
class CWorldTimeDlg;

namespace random_walk {

// A text with all but printable ASCII escaped, for failure messages.
std::string Printable(const std::wstring& text);

// One action: what it is, for the failure message, and how it is done.
struct Action {
  std::string what;
  std::function<void()> run;
};

class Walk;

// The actions and the rules of one kind of window; a window with nothing to act on (the About
// box) is only opened and closed.
class WindowWalk {
 public:
  virtual ~WindowWalk() = default;
  virtual Action Next(Walk&) {
    return {"nothing", [] {}};
  }
  virtual void Check() {}
};

class Walk {
 public:
  Walk(unsigned long seed, unsigned long budget);

  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
  bool Chance(int percent) { return Int(0, 99) < percent; }
  template <class T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Int(0, static_cast<int>(N) - 1)];
  }

  wchar_t AnyKey();
  // Text a user might type or paste into a field.
  std::wstring Text();
  std::wstring Number();
  std::wstring Digits(int count);
  // Longer than any number text: judged on its first 38 characters.
  std::wstring Long();
  // An edit of a field as the keyboard, the clipboard and the edit menu make it: each one
  // change, as the field tells its window.
  Action Edit(HWND field, int id, const std::function<std::wstring()>& text);

  // Opens the window of button n from the launcher, walks in it and closes it.
  void Visit(CRalimetView& view, int n);

  unsigned long done() const { return m_done; }
  bool stopped() const { return m_failed || m_done + 2 > m_budget || Expired(); }
  bool Expired() const { return std::chrono::steady_clock::now() - m_start > m_timeLimit; }

 private:
  // Does one action and checks the window after it; false when the walk must stop.
  bool Step(HWND window, const Action& action, WindowWalk* rules);
  void Inside(int n, HWND window);
  std::unique_ptr<WindowWalk> RulesOf(int n, HWND window);
  void DrawSystem();

  const unsigned long m_seed;
  const unsigned long m_budget;
  std::mt19937 m_rng;
  const std::chrono::milliseconds m_timeLimit;
  const bool m_verbose;
  const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
  unsigned long m_done = 0;
  bool m_failed = false;
  const char* m_windowName = "";
  bool m_visited = false;
  int m_placesSwept = 0;
};

// The models of the windows, one file each.
std::unique_ptr<WindowWalk> ConverterRules(CConverterDlg& dlg);
std::unique_ptr<WindowWalk> DateRules(HWND dlg);
// placesSwept counts the places chosen so far, in list order, across the walk's visits.
std::unique_ptr<WindowWalk> WorldTimeRules(CWorldTimeDlg& dlg, int& placesSwept);
std::unique_ptr<WindowWalk> ClothingRules(HWND sheet);

}  // namespace random_walk
