#!/usr/bin/env python3
"""`zorvel-cli survey add` as a whole process pinned to one core.

Simulates deployments of 1 and 10 nights, imports them and finds their calls, then adds the ZV2
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
import time

CLI = sys.argv[1] if len(sys.argv) > 1 else "build/release/src/cli/zorvel-cli"


def run(*args):
    subprocess.run([CLI, *args], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def timed_add(survey, files):
    """Seconds and peak RSS (KiB) of one `survey add` on core 0."""
    start = time.perf_counter()
    p = subprocess.Popen(["taskset", "-c", "0", CLI, "survey", "add", survey, *files],
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(p.pid, 0)
    seconds = time.perf_counter() - start
    if status != 0:
        sys.exit(f"survey add failed ({status})")
    return seconds, usage.ru_maxrss, usage.ru_utime + usage.ru_stime


with tempfile.TemporaryDirectory() as tmp:
    print("nights\tZV2 MB\tbest s\tcpu s\tMB/s\tpeak RSS MiB\tsurvey KB\tsurvey/ZV2")
    for nights in (1, 10):
        card, out = os.path.join(tmp, f"card{nights}"), os.path.join(tmp, f"night{nights}")
        run("simulate", "--out", card, "--nights", str(nights), "--seed", "11")
        run("import", card, "--out", out, "--location", "Bench", "--lat", "51 30 N", "--long", "0 7 W",
            "--utc", "+1", "--quiet")
        run("find-calls", *sorted(glob.glob(os.path.join(out, "*.ZV1"))), "--jobs", "2")
        shutil.rmtree(card)
        files = sorted(glob.glob(os.path.join(out, "*.ZV2")))
        mb = sum(os.path.getsize(f) for f in files) / 1e6
        best = None
        for round_ in range(3):
            survey = os.path.join(tmp, f"s{nights}_{round_}.zvs")
            seconds, rss, cpu = timed_add(survey, files)
            if best is None or seconds < best[0]:
                best = (seconds, rss, cpu, os.path.getsize(survey))
        seconds, rss, cpu, size = best
        print(f"{nights}\t{mb:.1f}\t{seconds:.3f}\t{cpu:.3f}\t{mb / seconds:.0f}\t{rss / 1024:.1f}\t"
              f"{size / 1024:.0f}\t{100 * size / (mb * 1e6):.2f} %")
