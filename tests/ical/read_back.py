#!/usr/bin/env python3
"""Reads the calendar files of `kalvora-cli find --ics` and `month --ics` back with Python's icalendar, a parser of
its own, and checks them against the same command's JSON: for find, one event per window listed, in order, from the
window's first minute to the minute after its last in UTC, the summary, the description's names, and UIDs that stay
the same from one run to the next; for the month, an all-day event a date with its tithi and nakshatra at sunrise,
then the Good windows as find lists them.

usage: read_back.py KALVORA_CLI WORK_FOLDER"""

import datetime
import json
import os
import subprocess
import sys

try:
    import icalendar
except ImportError:
    print("SKIP: Python's icalendar module is not installed (Debian package python3-icalendar)")
    sys.exit(77)

CLI, WORK = sys.argv[1], sys.argv[2]
os.makedirs(WORK, exist_ok=True)

BIRTH = ["--birth", "1995-08-15T06:45", "--birth-lat", "19:04N", "--birth-lon", "72:52E", "--birth-zone", "+05:30",
         "--name", "Asha", "--sex", "Female"]
PARTNER = ["--partner", "1993-02-03T21:10", "--partner-lat", "28:39N", "--partner-lon", "77:13E",
           "--partner-zone", "+05:30", "--partner-name", "Ravi", "--partner-sex", "Male"]
# New York on the day its clocks go forward (02:00 EST becomes 03:00 EDT): windows on both offsets.
NEW_YORK = ["--subject", "Marriage", "--from", "2026-03-08", "--to", "2026-03-08", "--muhurtha-tz",
            "America/New_York", "--muhurtha-lat", "40:43N", "--muhurtha-lon", "74:00W"]
# Delhi over three days, searched for a couple.
DELHI = ["--subject", "Marriage", "--from", "2026-12-10", "--to", "2026-12-12", "--muhurtha-lat", "28:39N",
         "--muhurtha-lon", "77:13E", "--muhurtha-zone", "+05:30"]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(args, env=None, command="find"):
    done = subprocess.run([CLI, command] + args, capture_output=True, text=True, env=env)
    if done.returncode != 0:
        sys.exit(f"kalvora-cli {command} {' '.join(args)} failed ({done.returncode}): {done.stderr}")
    return done.stdout


def utc(local_text, offset_text):
    """A window's local "YYYY-MM-DDTHH:MM" on its "+HH:MM" offset, in UTC."""
    sign = -1 if offset_text[0] == "-" else 1
    hours, minutes = (int(part) for part in offset_text[1:].split(":")[:2])
    offset = datetime.timedelta(hours=hours, minutes=minutes) * sign
    local = datetime.datetime.strptime(local_text, "%Y-%m-%dT%H:%M")
    return (local - offset).replace(tzinfo=datetime.timezone.utc)


def events_of(path):
    with open(path, "rb") as f:
        calendar = icalendar.Calendar.from_ical(f.read())
    check(str(calendar.get("VERSION")) == "2.0", f"{path}: VERSION is {calendar.get('VERSION')}")
    check(calendar.get("PRODID") is not None, f"{path}: no PRODID")
    return [c for c in calendar.walk() if c.name == "VEVENT"]


def check_against_json(name, args, names):
    ics = os.path.join(WORK, name + ".ics")
    windows = json.loads(run(args + ["--json", "--ics", ics]))["windows"]
    events = events_of(ics)
    check(len(windows) > 0, f"{name}: the search found no windows")
    check(len(events) == len(windows), f"{name}: {len(events)} events for {len(windows)} windows")
    for i, (w, e) in enumerate(zip(windows, events)):
        start, end = e.decoded("DTSTART"), e.decoded("DTEND")
        where = f"{name} event {i} ({w['start']}..{w['end']} {w['offset']})"
        check(start.tzinfo is not None and start.utcoffset() == datetime.timedelta(0), f"{where}: start not in UTC")
        check(start == utc(w["start"], w["offset"]), f"{where}: starts {start}")
        check(end == utc(w["end"], w["offset"]) + datetime.timedelta(minutes=1), f"{where}: ends {end}")
        rating = w["combined"]["rating"] if "combined" in w else w["rating"]
        summary = f"Marriage: {rating} ({', '.join(names)})"
        check(str(e["SUMMARY"]) == summary, f"{where}: summary {e['SUMMARY']!r}, expected {summary!r}")
        description = str(e["DESCRIPTION"]).split("\n")
        for limb in ("weekday", "nakshatra", "rashi", "lagna", "tithi", "yoga", "karana"):
            line = f"{limb.capitalize()}: {w[limb]}"
            check(line in description, f"{where}: no line {line!r} in the description")
        for person in w.get("people", [{"name": names[0], "rating": w["rating"]}]):
            check(any(l.startswith(f"{person['name']}: {person['rating']}") for l in description),
                  f"{where}: no rating of {person['name']} in the description")
        check(str(e["UID"]).endswith("@kalvora"), f"{where}: UID {e['UID']}")
        check(e.get("DTSTAMP") is not None, f"{where}: no DTSTAMP")
    uids = [str(e["UID"]) for e in events]
    check(len(set(uids)) == len(uids), f"{name}: UIDs repeat: {uids}")
    return windows, uids


# One person over a change of offset.
windows, uids = check_against_json("new_york", NEW_YORK + BIRTH + ["--top", "6"], ["Asha"])
check({w["offset"] for w in windows} >= {"-05:00", "-04:00"},
      f"new_york: expected windows on both offsets, got {sorted({w['offset'] for w in windows})}")

# The same search again gives the same UIDs, and with a fixed stamp the same file.
again = os.path.join(WORK, "new_york_again.ics")
fixed = dict(os.environ, SOURCE_DATE_EPOCH="1796878800")
run(NEW_YORK + BIRTH + ["--top", "6", "--ics", again], env=fixed)
check([str(e["UID"]) for e in events_of(again)] == uids, "new_york: a second export gave other UIDs")
check(all(e.decoded("DTSTAMP") == datetime.datetime(2026, 12, 10, 5, tzinfo=datetime.timezone.utc)
          for e in events_of(again)), "new_york: DTSTAMP is not SOURCE_DATE_EPOCH")
third = os.path.join(WORK, "new_york_third.ics")
run(NEW_YORK + BIRTH + ["--top", "6", "--ics", third], env=fixed)
with open(again, "rb") as a, open(third, "rb") as b:
    check(a.read() == b.read(), "new_york: two exports with one stamp differ")

# A couple: the combined rating, both names, both ratings; another person makes other UIDs.
_, couple_uids = check_against_json("couple", DELHI + BIRTH + PARTNER + ["--top", "4"], ["Asha", "Ravi"])
_, single_uids = check_against_json("single", DELHI + BIRTH + ["--top", "4"], ["Asha"])
check(not set(couple_uids) & set(single_uids), "the couple's and Asha's events share UIDs")

# The month of a couple at Delhi: an all-day event a date (the tithi and nakshatra current at its sunrise, the first
# of the day's lists), then one event for each window rated Good, as find lists them joined in time order.
MONTH = ["--year", "2026", "--month", "12", "--lat", "28:39N", "--lon", "77:13E", "--zone", "+05:30",
         "--subject", "Marriage"] + BIRTH + PARTNER
month_ics = os.path.join(WORK, "month.ics")
days = json.loads(run(MONTH + ["--json", "--ics", month_ics], command="month"))["days"]
month_events = events_of(month_ics)
check(len(days) == 31, f"month: {len(days)} days")
for day, e in zip(days, month_events):
    where = f"month {day['date']}"
    start = e.decoded("DTSTART")
    check(isinstance(start, datetime.date) and not isinstance(start, datetime.datetime) and
          start.isoformat() == day["date"], f"{where}: starts {start!r}")
    check(e.decoded("DTEND") == start + datetime.timedelta(days=1), f"{where}: ends {e.decoded('DTEND')!r}")
    summary = f"Tithi {day['limbs']['tithi'][0]['name']}, nakshatra {day['limbs']['nakshatra'][0]['name']}"
    check(str(e["SUMMARY"]) == summary, f"{where}: summary {e['SUMMARY']!r}, expected {summary!r}")
good = json.loads(run(["--subject", "Marriage", "--from", "2026-12-01", "--to", "2026-12-31", "--muhurtha-lat",
                       "28:39N", "--muhurtha-lon", "77:13E", "--muhurtha-zone", "+05:30", "--all-good",
                       "--json"] + BIRTH + PARTNER))["windows"]
good.sort(key=lambda w: w["start"])  # find ranks its joined windows; the month file has them in time order
window_events = month_events[len(days):]
check(len(good) > 0 and len(window_events) == len(good),
      f"month: {len(window_events)} window events for {len(good)} Good windows")
for w, e in zip(good, window_events):
    check(e.decoded("DTSTART") == utc(w["start"], w["offset"]), f"month window {w['start']}: starts {e.decoded('DTSTART')}")
    check(str(e["SUMMARY"]) == "Marriage: Good (Asha, Ravi)", f"month window {w['start']}: {e['SUMMARY']!r}")
again = os.path.join(WORK, "month_again.ics")
run(MONTH + ["--ics", again], command="month")
check([str(e["UID"]) for e in events_of(again)] == [str(e["UID"]) for e in month_events],
      "month: a second export gave other UIDs")
check(len({str(e["UID"]) for e in month_events}) == len(month_events), "month: UIDs repeat")

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
