#!/usr/bin/env python3
"""Checks each place's Windows time zone against the tz database.

For every place of the program's table (src/worldtime/country_offsets.cpp, its zone column), the
place's own IANA zone (below: its capital's where the country has several) gives the offset in
force by the tz database (python3's zoneinfo over /usr/share/zoneinfo); the Windows zone's rules, as
a Wine prefix's registry holds them ("Time Zones", with "Dynamic DST" years), give the offset the
program will show. Both are compared four times a day over a whole year.

Usage: check_place_zones.py SYSTEM_REG [YEAR]
Exit status 1 when a place's zone is missing from the registry or differs on a day for a reason
not listed in STALE below; 77 (skipped) where Python has no tz database.
"""
import calendar
import datetime
import pathlib
import re
import struct
import sys

try:
    import zoneinfo
    zoneinfo.ZoneInfo("Europe/Paris")
except Exception as missing:  # no zoneinfo module (Python before 3.9) or no zone database
    print(f"skipped: this Python has no tz database to check against ({missing})")
    sys.exit(77)

ROOT = pathlib.Path(__file__).resolve().parents[2]

# Row -> IANA zone of the place, chosen from the place's name alone.
IANA = [
    "Africa/Addis_Ababa", "Europe/Madrid", "Australia/Sydney", "Asia/Kabul",
    "America/Guayaquil", "America/Argentina/Buenos_Aires", "Asia/Amman", "Asia/Dubai",
    "Europe/Tirane", "Europe/Berlin", "Europe/London", "Asia/Jakarta", "Africa/Luanda",
    "America/Montevideo", "Africa/Kampala", "Asia/Tehran", "Europe/Dublin", "Atlantic/Reykjavik",
    "America/Asuncion", "Asia/Karachi", "America/Nassau", "Asia/Bahrain", "Europe/Brussels",
    "Asia/Dhaka", "America/Panama", "America/Puerto_Rico", "Europe/Lisbon", "Europe/Warsaw",
    "America/La_Paz", "America/Lima", "Asia/Taipei", "Europe/Istanbul", "Africa/Ndjamena",
    "Europe/Prague", "Africa/Dar_es_Salaam", "Africa/Lome", "Africa/Tunis", "Asia/Bangkok",
    "America/Jamaica", "America/Grenada", "Africa/Algiers", "Africa/Johannesburg",
    "Europe/Copenhagen", "America/Santo_Domingo", "Europe/Moscow", "Europe/Bucharest",
    "Africa/Kinshasa", "Africa/Lusaka", "Africa/Harare", "Africa/Abidjan", "Asia/Colombo",
    "Asia/Riyadh", "America/El_Salvador", "Europe/Bratislava", "Africa/Mbabane",
    "Africa/Khartoum", "Asia/Damascus", "Europe/Stockholm", "Europe/Zurich", "America/Santiago",
    "Asia/Shanghai", "Asia/Baghdad", "Asia/Muscat", "Africa/Libreville", "Africa/Accra",
    "America/Guatemala", "Africa/Conakry", "Europe/Vatican", "Europe/Paris", "Asia/Hebron",
    "America/Caracas", "Europe/Helsinki", "Asia/Ho_Chi_Minh", "Asia/Manila", "Asia/Qatar",
    "Africa/Douala", "Asia/Phnom_Penh", "America/Toronto", "America/Havana", "Asia/Seoul",
    "Asia/Pyongyang", "America/Costa_Rica", "America/Bogota", "Africa/Brazzaville",
    "Atlantic/Canary", "Asia/Kuwait", "Africa/Nairobi", "Asia/Beirut", "America/Los_Angeles",
    "Europe/Luxembourg", "Africa/Tripoli", "Africa/Monrovia", "Europe/Malta", "Africa/Bamako",
    "Asia/Kuala_Lumpur", "Indian/Antananarivo", "Africa/Cairo", "Africa/Casablanca",
    "America/Mexico_City", "Europe/Monaco", "Asia/Ulaanbaatar", "Europe/Oslo", "Europe/Vienna",
    "Asia/Kathmandu", "Africa/Niamey", "Africa/Lagos", "America/Managua", "Pacific/Auckland",
    "America/New_York", "Asia/Kolkata", "America/Tegucigalpa", "Europe/Budapest",
    "Europe/Amsterdam", "Asia/Hong_Kong", "America/New_York", "Asia/Tokyo", "Asia/Aden",
    "Europe/Athens",
]

# Windows zones whose rules in Wine 8's data are older than the tz database's (Windows' own
# updates bring them): the days they differ are reported, not failed.
STALE = {
    "Egypt Standard Time": "daylight saving again from 2023",
    "Paraguay Standard Time": "-3:00 all year from October 2024",
}


def place_table():
    text = (ROOT / "src/worldtime/country_offsets.cpp").read_text(encoding="utf-8")
    rows = re.findall(r'^\s*\{(-?\d+),\s*"([^"]+)"\},\s*// (\d+) (.*)$', text, re.M)
    assert [int(r[2]) for r in rows] == list(range(118)), "the table has 118 rows in order"
    return [(int(code), zone, name) for code, zone, _, name in rows]


def read_registry(path):
    """Key path -> {value name: raw value text} for the Time Zones keys of a Wine .reg file."""
    keys, key, pending = {}, None, ""
    for line in pathlib.Path(path).read_text(encoding="utf-8", errors="replace").splitlines():
        if pending:
            line, pending = pending + line.strip(), ""
        if line.endswith("\\") and not line.startswith("["):
            pending = line[:-1]
            continue
        if line.startswith("["):
            name = line[1:line.rindex("]")].replace("\\\\", "\\")
            key = name if "\\Time Zones\\" in name else None
            if key:
                keys[key] = {}
        elif key and line.startswith('"') and "=" in line:
            value_name, raw = line.split("=", 1)
            keys[key][value_name.strip('"')] = raw
    return keys


def tzi(raw):
    data = bytes(int(b, 16) for b in raw.split(":", 1)[1].split(","))
    bias, std_bias, dst_bias = struct.unpack("<3l", data[:12])
    std_date = struct.unpack("<8H", data[12:28])
    dst_date = struct.unpack("<8H", data[28:44])
    return bias, std_bias, dst_bias, std_date, dst_date


def rules_for_year(keys, zone, year):
    base = f"Software\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\{zone}"
    if base not in keys:
        return None
    dynamic = keys.get(base + "\\Dynamic DST")
    if dynamic:
        first = int(dynamic["FirstEntry"].split(":")[1], 16)
        last = int(dynamic["LastEntry"].split(":")[1], 16)
        return tzi(dynamic[str(min(max(year, first), last))])
    return tzi(keys[base]["TZI"])


def change_instant(date, year, bias_minutes):
    """UTC datetime of a change written in local time with the given bias."""
    _, month, weekday, day, hour, minute, second, ms = date
    if date[0] == 0:
        # The day-th weekday (0 = Sunday) of the month, 5 = the last.
        days = calendar.monthrange(year, month)[1]
        matching = [d for d in range(1, days + 1)
                         if (datetime.date(year, month, d).weekday() + 1) % 7 == weekday]
        day = matching[min(day, len(matching)) - 1]
    local = datetime.datetime(year, month, day) + datetime.timedelta(
        hours=hour, minutes=minute, seconds=second, milliseconds=ms)
    return local + datetime.timedelta(minutes=bias_minutes)


def windows_offset(rules, when):
    """Minutes ahead of UTC at the naive UTC datetime `when`."""
    bias, std_bias, dst_bias, std_date, dst_date = rules
    if std_date[1] == 0 or dst_date[1] == 0:
        return -bias
    starts = change_instant(dst_date, when.year, bias + std_bias)
    ends = change_instant(std_date, when.year, bias + dst_bias)
    in_dst = starts <= when < ends if starts < ends else (when >= starts or when < ends)
    return -(bias + (dst_bias if in_dst else std_bias))


def main():
    reg = sys.argv[1]
    year = int(sys.argv[2]) if len(sys.argv) > 2 else 2026
    keys = read_registry(reg)
    failed = False
    print(f"{'row':>3}  {'place':<24} {'IANA zone':<31} {'Windows zone':<32} days differing")
    for row, ((code, zone, name), iana) in enumerate(zip(place_table(), IANA)):
        tz = zoneinfo.ZoneInfo(iana)
        days = set()
        for day in range(366 if calendar.isleap(year) else 365):
            for hour in (0, 6, 12, 18):
                when = datetime.datetime(year, 1, 1) + datetime.timedelta(days=day, hours=hour)
                truth = when.replace(tzinfo=datetime.timezone.utc).astimezone(tz).utcoffset()
                rules = rules_for_year(keys, zone, year)
                if rules is None:
                    break
                if windows_offset(rules, when) != truth.total_seconds() // 60:
                    days.add(day)
        note = ""
        if rules_for_year(keys, zone, year) is None:
            note, failed = "MISSING from the registry", True
        elif days:
            if zone in STALE:
                note = f"{len(days)} (Wine's data: {STALE[zone]})"
            else:
                note, failed = f"{len(days)} FAILED", True
        print(f"{row:>3}  {name:<24} {iana:<31} {zone:<32} {note or 0}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
