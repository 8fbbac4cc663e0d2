#!/usr/bin/env python3
"""Runs the same random calculations through two builds of kalvora-cli and reports every output that differs.

    scripts/compare_builds.py OLD_CLI NEW_CLI [--count N] [--seed S] [--finds N] [--extra "ARGS"]
                              [--find-extra "ARGS"] [--drop-keys K1,K2] [--drop REGEX ...]

Each case is one normal calculation (JSON and text output, now and then the RTF or PDF report), drawn at random
from the subjects, dates 1901-2050, places and zones the program accepts (typed coordinates and offsets, zone ids,
atlas places), with and without planets; finder runs (JSON, ranked and in time order, with zone ids, avoided
periods, chosen hours and skipped weekdays) over short spans, day runs (JSON and text) and atlas searches are
compared too. A PDF is compared by its text as laid out on its pages and its size, since each writing stamps it
with its own date and font tags. --extra appends its words to every command line of the new build
only (for an option the old build does not know), --find-extra to its find command lines. What the new build adds on
purpose is left out of both builds' outputs before they are compared: the JSON keys --drop-keys names, and the lines
of texts and reports each --drop matches (a PDF is then compared by its text alone, since what is added changes
its size). The exit status is 0 when every output is identical.
"""
import argparse
import json
import shutil
import os
import random
import re
import subprocess
import sys
import tempfile

SUBJECTS = [
    'Naming of The Child or Namakarana',
    'Tonsuring of Head',
    'Piercing of the Ear or Karnavedha',
    'Thread Ceremony Or Upanayana',
    'First feeding of Solid Food (Annaprasan)',
    'Starting of Education (Aksharabhyasa)',
    'Adoption of a Child',
    'Engagement',
    'Marriage',
    'First Entrance of the Bride',
    'Learning of a Trade',
    'Learning of any Science',
    'Learning Dance Or Music',
    'Learning Astrology Or Astronomy',
    'Learning Medicine',
    'Learning Grammar, Logic Or Philosophy',
    'Entering a New House',
    'Entering a Rented House',
    'Start On A New Job',
    'Start A New Business',
    'Domestic Journey',
    'Religious Journey',
    'Foreign Journey',
    'Laying the Foundation',
    'Starting the Construction of a House',
    'Lending Money',
    'Borrowing Money',
    'Legal',
    'Starting medical treatment for chronic disease or recurring illness',
    'Date for operations',
    'Buying Land',
    'Selling Land',
    'Buying Item',
    'Sell Item',
]


ZONE_IDS = ['Asia/Kolkata', 'America/New_York', 'Europe/London', 'Europe/Dublin', 'Australia/Lord_Howe',
            'Asia/Kathmandu', 'America/St_Johns', 'Pacific/Chatham', 'Africa/Casablanca', 'Asia/Tehran',
            'America/Sao_Paulo', 'Europe/Moscow', 'Asia/Colombo', 'Pacific/Apia', 'UTC']
PLACES = ['Chennai', 'Mumbai', 'Kolkata', 'Delhi', 'Varanasi', 'London', 'New York', 'Toronto', 'Sydney',
          'Kathmandu', 'Colombo', 'Singapore', 'Durban', 'Reykjavik', 'Tromso', 'Auckland', 'Houston, Texas',
          'Springfield', 'Paris, France', 'Port Louis']
QUERIES = PLACES + ['chen', 'New', 'Mumbai, India', 'Zzzz', 'San', 'Sao Paulo', 'Moskva', 'Bengaluru', 'York']


def random_place(rng, prefix, args):
    """Replaces the typed coordinates and offset of a moment by a zone id or an atlas place now and then."""
    r = rng.random()
    if r < 0.25:
        args = [a for a in args if a not in (f"--{prefix}-dst",)]
        i = args.index(f"--{prefix}-zone")
        del args[i:i + 2]
        args += [f"--{prefix}-tz", rng.choice(ZONE_IDS)]
        if rng.random() < 0.3:
            args += [f"--{prefix}-fold", rng.choice(["earlier", "later"])]
    elif r < 0.4:
        keep = [f"--{prefix}"] if f"--{prefix}" in args else []
        head = args[:2] if keep else []
        args = head + [f"--{prefix}-place", rng.choice(PLACES)]
    return args


def random_moment(rng, prefix, lo_year=1901, hi_year=2050, with_time=True):
    year = rng.randint(lo_year, hi_year)
    month = rng.randint(1, 12)
    day = rng.randint(1, 28)
    hour, minute = rng.randint(0, 23), rng.randint(0, 59)
    lat = f"{rng.randint(0, 66):02d}:{rng.randint(0, 59):02d}{rng.choice('NS')}"
    lon = f"{rng.randint(0, 179):03d}:{rng.randint(0, 59):02d}{rng.choice('EW')}"
    zh, zm = rng.randint(0, 12), rng.choice([0, 0, 0, 30, 45])
    zone = f"{rng.choice('+-')}{zh:02d}:{zm:02d}"
    args = []
    if with_time:
        args += [f"--{prefix}", f"{year:04d}-{month:02d}-{day:02d}T{hour:02d}:{minute:02d}"]
    args += [f"--{prefix}-lat", lat, f"--{prefix}-lon", lon, f"--{prefix}-zone", zone]
    if rng.random() < 0.2:
        args.append(f"--{prefix}-dst")
    return random_place(rng, prefix, args), year


def run(cli, args, extra=()):
    p = subprocess.run([cli] + args + list(extra), capture_output=True)
    return p.returncode, p.stdout, p.stderr


PDF_MARK = b"PDF "


def report_content(path):
    """The report as compared: an RTF's bytes, a PDF's laid-out text and size."""
    if not os.path.exists(path):
        return b""
    if path.endswith(".pdf"):
        text = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True).stdout
        data = PDF_MARK + str(os.path.getsize(path)).encode() + b"\n" + text
    else:
        with open(path, "rb") as f:
            data = f.read()
    os.remove(path)
    return data


def without_keys(value, keys):
    if isinstance(value, dict):
        return {k: without_keys(v, keys) for k, v in value.items() if k not in keys}
    if isinstance(value, list):
        return [without_keys(v, keys) for v in value]
    return value


def without_additions(data, keys, patterns):
    """An output without what the new build adds on purpose: the given JSON keys (the JSON then written back in one
    form) and what the patterns match (a PDF's size line too, once anything is left out of it)."""
    if keys and data.lstrip().startswith(b"{"):
        try:
            value = json.loads(data)
        except ValueError:
            return data
        data = (json.dumps(without_keys(value, keys), ensure_ascii=False) + "\n").encode()
    if patterns and data.startswith(PDF_MARK):
        data = data[len(PDF_MARK):].split(b"\n", 1)[1]
    for pattern in patterns:
        data = pattern.sub(b"", data)
    return data


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("old")
    ap.add_argument("new")
    ap.add_argument("--count", type=int, default=300)
    ap.add_argument("--finds", type=int, default=20)
    ap.add_argument("--days", type=int, default=40)
    ap.add_argument("--places", type=int, default=20)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--extra", default="", help="words appended to the new build's command lines")
    ap.add_argument("--find-extra", default="", help="words appended to the new build's find command lines")
    ap.add_argument("--drop-keys", default="",
                    help="comma list of JSON keys the new build added: left out of its JSON before comparing")
    ap.add_argument("--drop", action="append", default=[],
                    help="a regular expression (multi-line): what it matches in texts and reports is left out")
    a = ap.parse_args()
    dropped_keys = set(filter(None, a.drop_keys.split(",")))
    dropped = [re.compile(d.encode(), re.MULTILINE | re.DOTALL) for d in a.drop]
    rng = random.Random(a.seed)
    appended = {a.old: [], a.new: a.extra.split()}
    subjects = SUBJECTS
    with tempfile.TemporaryDirectory() as tmp:
        cases = []
        for i in range(a.count):
            birth, by = random_moment(rng, "birth", 1901, 2040)
            muh, _ = random_moment(rng, "muhurtha", max(1901, by - 2), 2050)
            common = ["--subject", rng.choice(subjects), "--name", "Case" + str(i),
                      "--sex", rng.choice(["Male", "Female"])] + birth + muh
            if rng.random() < 0.2:
                common += ["--planets", "none"]
            cases += [common + ["--json"], common]
            if i % 10 == 0:
                cases.append(common + ["--report", os.path.join(tmp, "r.rtf")])
            if i % 25 == 5 and shutil.which("pdftotext"):
                cases.append(common + ["--report", os.path.join(tmp, "r.pdf")])
        for i in range(a.finds):
            birth, by = random_moment(rng, "birth", 1901, 2030)
            place, _ = random_moment(rng, "muhurtha", with_time=False)
            y = rng.randint(max(1901, by), 2050)
            m = rng.randint(1, 12)
            d = rng.randint(1, 20)
            span = ["--from", f"{y:04d}-{m:02d}-{d:02d}", "--to", f"{y:04d}-{m:02d}-{d + rng.randint(0, 8):02d}"]
            base = ["find", "--subject", rng.choice(subjects)] + span + birth + place
            if rng.random() < 0.4:
                base += ["--avoid", ",".join(rng.sample(["rahu", "yamaganda", "gulika", "durmuhurta"],
                                                        rng.randint(1, 4)))]
            if rng.random() < 0.3:
                h1, h2 = rng.randint(0, 23), rng.randint(0, 23)
                base += ["--between", f"{h1:02d}:{rng.randint(0, 59):02d}-{h2:02d}:{rng.randint(0, 59):02d}"]
            if rng.random() < 0.2:
                base += ["--skip-weekdays", rng.choice(["Tuesday", "Saturday,Sunday", "Monday"])]
            if rng.random() < 0.2:
                base += ["--planets", "none"]
            cases += [base + ["--json"], base + ["--json", "--order", "time"], base]
        for i in range(a.days):
            y, m, d = rng.randint(1901, 2050), rng.randint(1, 12), rng.randint(1, 28)
            args, _ = random_moment(rng, "muhurtha", with_time=False)
            args = [w.replace("--muhurtha-", "--") for w in args]
            v = ["day", "--date", f"{y:04d}-{m:02d}-{d:02d}"] + args
            if rng.random() < 0.3:
                v += ["--sunrise", rng.choice(["hindu", "standard"])]
            cases += [v + ["--json"], v]
        for i in range(a.places):
            v = ["places", rng.choice(QUERIES), "--top", str(rng.randint(1, 12))]
            cases += [v + ["--json"], v]

        differ = refused = 0
        for v in cases:
            outs = []
            for cli in (a.old, a.new):
                extra = appended[cli] + (a.find_extra.split() if cli == a.new and v[0] == "find" else [])
                rc, out, err = run(cli, v, extra)
                report = report_content(v[v.index("--report") + 1]) if "--report" in v else b""
                # Both builds' outputs pass the same filter, so that JSON is written back alike.
                out = without_additions(out, dropped_keys, dropped)
                report = without_additions(report, set(), dropped)
                outs.append((rc, out, err, report))
            refused += outs[0][0] != 0
            if outs[0] != outs[1]:
                differ += 1
                print("DIFFERS:", " ".join(v))
    print(f"{len(cases)} outputs compared ({refused} of them refusals by the old build), {differ} differ")
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
