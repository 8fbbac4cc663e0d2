#!/usr/bin/env python3
"""Runs the same random calculations through two builds of kalvora-cli and reports every output that differs.

    scripts/compare_builds.py OLD_CLI NEW_CLI [--count N] [--seed S] [--finds N] [--extra "ARGS"]

Each case is one normal calculation (JSON and text output, and the RTF report), drawn at random from the
subjects, dates 1901-2050, places and zones the program accepts; a few finder runs (JSON, ranked and in time
order) over short spans are compared too. --extra appends its words to every command line of the new build
only (for an option the old build does not know). The exit status is 0 when every output is identical.
"""
import argparse
import os
import random
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
    return args, year


def run(cli, args, extra=()):
    p = subprocess.run([cli] + args + list(extra), capture_output=True)
    return p.returncode, p.stdout, p.stderr


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("old")
    ap.add_argument("new")
    ap.add_argument("--count", type=int, default=300)
    ap.add_argument("--finds", type=int, default=20)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--extra", default="", help="words appended to the new build's command lines")
    a = ap.parse_args()
    rng = random.Random(a.seed)
    appended = {a.old: [], a.new: a.extra.split()}
    subjects = SUBJECTS
    differ = 0
    compared = 0
    with tempfile.TemporaryDirectory() as tmp:
        for i in range(a.count):
            birth, by = random_moment(rng, "birth", 1901, 2040)
            muh, _ = random_moment(rng, "muhurtha", max(1901, by - 2), 2050)
            common = ["--subject", rng.choice(subjects), "--name", "Case" + str(i),
                      "--sex", rng.choice(["Male", "Female"])] + birth + muh
            variants = [common + ["--json"], common]
            if i % 10 == 0:
                variants.append(common + ["--report", os.path.join(tmp, "r.rtf")])
            for v in variants:
                outs = []
                for cli in (a.old, a.new):
                    rc, out, err = run(cli, v, appended[cli])
                    extra = b""
                    if "--report" in v:
                        path = v[v.index("--report") + 1]
                        if os.path.exists(path):
                            with open(path, "rb") as f:
                                extra = f.read()
                            os.remove(path)
                    outs.append((rc, out, err, extra))
                compared += 1
                if outs[0] != outs[1]:
                    differ += 1
                    print("DIFFERS:", " ".join(v))
        for i in range(a.finds):
            birth, by = random_moment(rng, "birth", 1901, 2030)
            place, _ = random_moment(rng, "muhurtha", with_time=False)
            y = rng.randint(max(1901, by), 2050)
            m = rng.randint(1, 12)
            d = rng.randint(1, 20)
            span = ["--from", f"{y:04d}-{m:02d}-{d:02d}", "--to", f"{y:04d}-{m:02d}-{d + rng.randint(0, 8):02d}"]
            base = ["find", "--subject", rng.choice(subjects)] + span + birth + place + ["--json"]
            for v in (base, base + ["--order", "time"], base[:-1]):
                outs = [run(cli, v, appended[cli]) for cli in (a.old, a.new)]
                compared += 1
                if outs[0] != outs[1]:
                    differ += 1
                    print("DIFFERS:", " ".join(v))
    print(f"{compared} outputs compared, {differ} differ")
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
