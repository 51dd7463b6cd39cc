#pragma once

#include <cstdint>
#include <string>

#include "calendar/calendar.h"
#include "framework/dialog.h"
#include "pictures/palette_window.h"

// One day as a Gregorian and as a Hijri date, three fields each, with the name of its weekday.
// Whichever field the user changes, the other calendar's fields follow at once; a date the
// calendar refuses shows "غير صالح" where the weekday stands. It opens on today.
class CDateDlg : public CPaletteWindow<CDialog> {
 public:
  explicit CDateDlg(CWnd* pParentWnd = nullptr);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

  // A field of either calendar changed: the other calendar's fields follow.
  void OnChangeDate(UINT controlId);

  DECLARE_MESSAGE_MAP()

 private:
  // The members bound to one calendar's three fields.
  struct DateFields {
    std::uint8_t& day;
    std::uint8_t& month;
    std::int32_t& year;
  };
  DateFields Fields(bool hijri);
  // The value of the member bound to a date field.
  int FieldValue(UINT controlId) const;
  // Reads the fields; answers whether the one that sent the change now holds another value.
  bool ReadChangedField(UINT controlId);
  // The weekday box for the day m_date holds, after a SetDate that answered converted.
  void ShowWeekday(bool converted);

  std::uint8_t m_gDay = 0;
  std::uint8_t m_hDay = 0;
  std::wstring m_strWeekday;
  std::uint8_t m_gMonth = 0;
  std::uint8_t m_hMonth = 0;
  std::int32_t m_gYear = 0;
  std::int32_t m_hYear = 0;
  CDate m_date;
};
