#!/usr/bin/env python3
"""`zorvel-cli survey add` as a whole process pinned to one core.

Simulates deployments of 1, 10 and 30 nights, imports them and finds their calls, then adds the ZV2
files to a fresh survey (best of three runs each) and prints MB/s of ZV2 files, the process's
peak resident memory (which should not grow with the file), and the survey file's size as a
share of its ZV2 files'. The ZV2 files are in the page cache (just written), so this measures the
program, not the disk.

Usage: bench/survey_throughput.py [ZORVEL_CLI]   (default build/release/src/cli/zorvel-cli)
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile

CLI = sys.argv[1] if len(sys.argv) > 1 else "build/release/src/cli/zorvel-cli"


def run(*args):
    subprocess.run([CLI, *args], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def timed_add(survey, files):
    """Wall seconds, peak RSS (KiB) and CPU seconds of one `survey add` on core 0, as GNU time
    (Debian package "time") sees the process: measured from Python, a forked child would count
    the interpreter's pages as its own."""
    p = subprocess.run(["/usr/bin/time", "-f", "%e %M %U %S", "taskset", "-c", "0", CLI, "survey", "add", survey,
                        *files], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    if p.returncode != 0:
        sys.exit(f"survey add failed ({p.returncode})")
    wall, rss, user, system = p.stderr.strip().split("\n")[-1].split()
    return float(wall), int(rss), float(user) + float(system)


def report(tmp, label, files, mb):
    best = None
    for round_ in range(3):
        survey = os.path.join(tmp, f"s{label}_{round_}.zvs")
        seconds, rss, cpu = timed_add(survey, files)
        if best is None or seconds < best[0]:
            best = (seconds, rss, cpu, os.path.getsize(survey))
    seconds, rss, cpu, size = best
    print(f"{label}\t{mb:.1f}\t{seconds:.3f}\t{cpu:.3f}\t{mb / seconds:.0f}\t{rss / 1024:.1f}\t"
          f"{size / 1024:.0f}\t{100 * size / (mb * 1e6):.2f} %")


with tempfile.TemporaryDirectory() as tmp:
    print("nights\tZV2 MB\twall s\tcpu s\tMB/s\tpeak RSS MiB\tsurvey KB\tsurvey/ZV2")
    for nights in (1, 10, 30):
        card, out = os.path.join(tmp, f"card{nights}"), os.path.join(tmp, f"night{nights}")
        run("simulate", "--out", card, "--nights", str(nights), "--seed", "11")
        run("import", card, "--out", out, "--location", "Bench", "--lat", "51 30 N", "--long", "0 7 W",
            "--utc", "+1", "--quiet")
        run("find-calls", *sorted(glob.glob(os.path.join(out, "*.ZV1"))), "--jobs", "2")
        shutil.rmtree(card)
        files = sorted(glob.glob(os.path.join(out, "*.ZV2")))
        mb = sum(os.path.getsize(f) for f in files) / 1e6
        report(tmp, str(nights), files, mb)
        if nights == 1:
            # Ten one-night files of ten loggers in one run: the cost per file and transaction.
            many = []
            for k in range(10):
                copy = os.path.join(tmp, f"logger{k}.ZV2")
                data = bytearray(open(files[0], "rb").read())
                data[2], data[3], data[4] = 50, k // 100 % 100, k % 100  # the header's logger number
                open(copy, "wb").write(data)
                many.append(copy)
            report(tmp, "10x1", many, mb * 10)
