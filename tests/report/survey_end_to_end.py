#!/usr/bin/env python3
"""From SD card to survey report, against the simulator's ground truth.

Simulates three nights at a known site (the bats' first passes follow that site's sunset), imports
the card with the same position, finds the calls (British0), adds the ZV2 file to a survey, exports
its species-nights and writes the report as PDF and HTML. For the species the classifier names
from the simulated calls (common pipistrelle and the two horseshoes: every pass of theirs is one
pass found), the passes per night must agree with the truth within 5 % and the first pass of each
night within 2 minutes of the truth's; the PDF must have an overview page and one page per
deployment.

Usage: survey_end_to_end.py ZORVEL_CLI
"""
import csv
import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile

CLI = sys.argv[1]
SITE = (51.5, -0.11667, 60)  # the import's "51 30 N", "0 7 W", "+1"
NAMED = ["CmnPip", "GHB", "LHB"]
failures = []


def run(*args):
    p = subprocess.run([CLI, *args], capture_output=True, text=True)
    if p.returncode != 0:
        sys.exit(f"{' '.join(args)}: exit {p.returncode}\n{p.stdout[-1000:]}\n{p.stderr[-2000:]}")
    return p.stdout


def night_of(minute):
    """The yyyy-mm-dd of the evening of the noon-to-noon night holding the minute number."""
    return (datetime.datetime(1899, 12, 30) + datetime.timedelta(minutes=minute - 720)).date().isoformat()


def truth_passes(path):
    passes, first = {}, {}
    with open(path) as f:
        next(f)
        for line in f:
            c = line.rstrip("\n").split("\t")
            if c[5] not in ("pass", "first"):
                continue
            minute = int(c[0]) + int(c[2]) / 12e6
            key = (night_of(minute), c[3])
            passes[key] = passes.get(key, 0) + 1
            first[key] = min(first.get(key, minute), minute)
    return passes, first


def main():
    work = tempfile.mkdtemp(prefix="zorvel_survey_e2e_")
    try:
        card, night = os.path.join(work, "card"), os.path.join(work, "night")
        run("simulate", "--out", card, "--nights", "3", "--seed", "3", "--site", ",".join(map(str, SITE)))
        made = [l for l in run("import", card, "--out", night, "--location", "Meadow", "--lat", "51 30 N",
                               "--long", "0 7 W", "--utc", "+1", "--quiet").splitlines() if l.endswith(".ZV1")]
        if len(made) != 1:
            sys.exit(f"import made {made}")
        run("find-calls", made[0], "--jobs", "2")
        zv2 = made[0][:-4] + ".ZV2"
        survey = os.path.join(work, "season.zvs")
        run("survey", "add", survey, zv2)
        nights_csv = os.path.join(work, "sn.csv")
        run("survey", "export", survey, "--table", "species-nights", "--out", nights_csv)
        found = {(r["date"], r["species"]): r for r in csv.DictReader(open(nights_csv, encoding="utf-8"))}

        # Each night's sunset as the survey computed it from the file's position and offset.
        nights_csv_path = os.path.join(work, "nights.csv")
        run("survey", "export", survey, "--table", "nights", "--out", nights_csv_path)
        sunsets = {}
        for r in csv.DictReader(open(nights_csv_path, encoding="utf-8")):
            if r["sunset"]:
                t = datetime.datetime.strptime(r["sunset"], "%Y-%m-%d %H:%M:%S")
                sunsets[r["date"]] = (t - datetime.datetime(1899, 12, 30)).total_seconds() / 60

        passes, first = truth_passes(card + "_truth.txt")
        nights = sorted({n for n, _ in passes})
        if len(nights) < 3:
            failures.append(f"the truth has passes on {nights} only")
        checked = 0
        for n in nights:
            for sp in NAMED:
                want = passes.get((n, sp), 0)
                row = found.get((n, sp))
                got = int(row["passes"]) if row else 0
                if want == 0 and got == 0:
                    continue
                checked += 1
                if abs(got - want) > 0.05 * want:
                    failures.append(f"{n} {sp}: {got} passes, truth {want}")
                if not row or not row["first_after_sunset_min"] or n not in sunsets:
                    failures.append(f"{n} {sp}: no first pass after sunset")
                    continue
                got_first = float(row["first_after_sunset_min"])
                truth_first = first[(n, sp)] - sunsets[n]
                if abs(truth_first - got_first) > 2:
                    failures.append(f"{n} {sp}: first pass {got_first:.2f} min after sunset, truth {truth_first:.2f}")
        if checked < 6:
            failures.append(f"only {checked} night-species compared")

        pdf, html = os.path.join(work, "report.pdf"), os.path.join(work, "report.html")
        out = run("survey", "report", survey, "--out", pdf)
        if "(2 page(s))" not in out:
            failures.append(f"report said: {out!r}")
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True)
        if info.returncode == 0 and not re.search(r"^Pages:\s+2$", info.stdout, re.M):
            failures.append(f"pdfinfo: {info.stdout}")
        if not open(pdf, "rb").read(5) == b"%PDF-":
            failures.append("report.pdf is not a PDF")
        run("survey", "report", survey, "--out", html)
        text = open(html, encoding="utf-8").read()
        if text.count("<svg") != 4 or "Meadow" not in text:
            failures.append("report.html does not hold the deployment's four figures")
        # A report the command cannot write: a message naming it, non-zero, nothing there.
        bad = subprocess.run([CLI, "survey", "report", survey, "--out", os.path.join(work, "no", "r.pdf")],
                             capture_output=True, text=True)
        if bad.returncode == 0 or "r.pdf" not in bad.stderr:
            failures.append(f"unwritable report: exit {bad.returncode}, {bad.stderr!r}")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for f in failures:
        print(f)
    print(f"survey end to end: {len(failures)} problem(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
