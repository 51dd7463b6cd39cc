// The random walk's model of the unit converters.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "core/unit_sizes.h"
#include "test_support.h"
#include "units/converter_dlg.h"
#include "walk.h"

namespace random_walk {

static std::string Exact(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

static bool Same(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

// The unit converters: after an edit that changes a field's value, every other field holds that
// value converted as the units' physical sizes say (within the 1 % the program's rounded factors
// keep to) and shows it, until the next such edit. An infinite value has no conversion: the other
// fields then show nothing.
class ConverterWalk : public WindowWalk {
 public:
  explicit ConverterWalk(CConverterDlg& dlg) : m_dlg(dlg), m_source(dlg.Window().units.startUnit) {}

  Action Next(Walk& walk) override {
    const auto& fields = m_dlg.Window().fields;
    const UnitField field = fields[walk.Int(0, static_cast<int>(fields.size()) - 1)];
    if (walk.Chance(3)) {
      // The pointer over a field or its label (the speed window's horse).
      const HWND under = walk.Chance(50) ? m_dlg.GetDlgItem(field.control)
                                         : GetWindow(m_dlg.GetDlgItem(field.control), GW_HWNDPREV);
      return {"pointer over control " + std::to_string(GetDlgCtrlID(under)), [this, under] {
                SendMessageW(m_dlg.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
              }};
    }
    Action edit =
        walk.Edit(m_dlg.GetDlgItem(field.control), field.control, [&walk] { return walk.Text(); });
    return {edit.what, [this, field, run = edit.run] {
              const double before = m_dlg.Value(field.unit);
              run();
              if (!Same(m_dlg.Value(field.unit), before)) m_source = field.unit;
            }};
  }

  void Check() override {
    const double from = m_dlg.Value(m_source);
    for (const UnitField& field : m_dlg.Window().fields) {
      const double value = m_dlg.Value(field.unit);
      const std::string text = Ascii(TextOf(m_dlg.GetDlgItem(field.control)));
      const std::string name = "field " + std::to_string(field.control) + " showing \"" + text +
                               "\" and holding " + Exact(value);
      if (field.unit == m_source) {
        // The user's own text, or its value written back after a key the field refused.
        EXPECT_TRUE(ReadsAs(text, value) || Shows(text, value)) << name;
        continue;
      }
      const double expected = Physical(m_source, field.unit, from);
      const std::string rule = name + "; from unit " + std::to_string(m_source) + " at " +
                               Exact(from) + " it is " + Exact(expected);
      EXPECT_TRUE(Agrees(value, expected)) << rule;
      // Its value's text, or the user's own that means the value it holds.
      EXPECT_TRUE(Shows(text, expected) || ReadsAs(text, value)) << rule;
    }
  }

 private:
  static std::string Ascii(const std::wstring& text) {
    std::string ascii;
    for (const wchar_t c : text) ascii += c < 0x80 ? static_cast<char>(c) : '\x7f';
    return ascii;
  }

  // What unit `to` holds by the physical sizes when unit `from` holds x.
  double Physical(std::uint16_t from, std::uint16_t to, double x) const {
    if (std::isinf(x)) return std::nan("");
    const UnitTable& units = m_dlg.Window().units;
    if (&units == &temperature::kTable) {
      return unit_sizes::FromKelvin(to, unit_sizes::ToKelvin(from, x));
    }
    for (const unit_sizes::LinearQuantity& q : unit_sizes::kLinearQuantities) {
      if (&q.table == &units)
        return x * (unit_sizes::SizeOf(q.sizes, from) / unit_sizes::SizeOf(q.sizes, to));
    }
    ADD_FAILURE() << "a converter the test does not know";
    return 0;
  }
  static bool Huge(double x) { return std::fabs(x) > 1e300; }
  // Within 1 %, and for temperatures within a thousandth of a degree too (the Fahrenheit to
  // kelvin rule's constants are rounded to a millionth).
  double Slack() const { return &m_dlg.Window().units == &temperature::kTable ? 1e-3 : 0; }
  bool Agrees(double got, double expected) const {
    if (std::isnan(expected) || std::isnan(got)) return std::isnan(expected) && std::isnan(got);
    if (Huge(expected) || Huge(got)) return got * expected > 0 && Huge(got) && Huge(expected);
    return std::fabs(got - expected) <= 0.01 * std::fabs(expected) + Slack() + 1e-300;
  }
  // A value's text: nothing for a number too long to show (29 digits before the point, the eight
  // decimals, the point and room for a sign fill the 39 characters; below 1e-9 a number is not
  // rounded away, so a tiny one shows a zero for each decimal place down to its first digit),
  // "1.#INF0000" for infinity, else a number with eight decimals; an empty field reads as 0, so it
  // is left empty for a 0.
  bool Shows(const std::string& text, double expected) const {
    const bool unshowable = std::isnan(expected) || std::fabs(expected) >= 0.98e29 ||
                            (expected != 0 && std::fabs(expected) < 1e-30);
    if (text.empty() && unshowable) return true;
    if (text == "1.#INF0000" || text == "-1.#INF0000") {
      return Huge(expected) && (text[0] == '-') == (expected < 0);
    }
    if (std::isnan(expected) || std::fabs(expected) >= 1.02e29) return false;
    char* end = nullptr;
    const double shown = std::strtod(text.c_str(), &end);
    return *end == '\0' &&
           std::fabs(shown - expected) <= 0.01 * std::fabs(expected) + Slack() + 1e-8;
  }
  // The field being typed into shows what it holds, read on its first 38 characters: an empty or
  // sign-only text holds 0.
  static bool ReadsAs(const std::string& text, double value) {
    const double read = std::strtod(text.substr(0, 38).c_str(), nullptr);
    return read == value || std::fabs(read - value) <= 1e-15 * std::fabs(value);
  }

  CConverterDlg& m_dlg;
  std::uint16_t m_source;  // the unit the others were last converted from
};

std::unique_ptr<WindowWalk> ConverterRules(CConverterDlg& dlg) {
  return std::make_unique<ConverterWalk>(dlg);
}

}  // namespace random_walk
