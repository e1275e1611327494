#!/usr/bin/env python3
"""zorvel-cli survey add|list|export as a user runs them.

From a simulated night imported into a ZV1 file: a ZV1 file is refused without --find-calls and
added with it; adding again replaces; copies of the ZV2 file with other logger numbers are new
deployments; the CSV goes whole into --out; a survey that is not SQLite, and one another writer
holds, are refused by name and left alone; a write that fails part-way leaves the survey as it was; a run killed part-way leaves a survey that the same
command completes to the very tables a clean run makes.

Usage: survey_commands.py ZORVEL_CLI
"""
import hashlib
import os
import resource
import shutil
import signal
import sqlite3
import subprocess
import sys
import tempfile
import time

CLI = sys.argv[1]
failures = []


def run(*args, expect=0):
    p = subprocess.run([CLI, *args], capture_output=True)
    # CSV lines end in CR LF: keep them as written.
    p.stdout, p.stderr = p.stdout.decode("utf-8"), p.stderr.decode("utf-8")
    if expect is not None and p.returncode != expect:
        failures.append(f"{' '.join(args)}: exit {p.returncode}, expected {expect}\n{p.stderr[-2000:]}")
    return p


def check(cond, what):
    if not cond:
        failures.append(what)


def sha(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def exports(survey):
    return {t: run("survey", "export", survey, "--table", t).stdout
            for t in ("deployments", "nights", "passes", "species-nights")}


def with_logger(src, dst, logger):
    """A copy of a data file whose header names another logger (identity bytes 2..4)."""
    data = bytearray(open(src, "rb").read())
    data[2], data[3], data[4] = logger // 10000, logger // 100 % 100, logger % 100
    open(dst, "wb").write(data)


with tempfile.TemporaryDirectory() as tmp:
    card, night = os.path.join(tmp, "card"), os.path.join(tmp, "night")
    run("simulate", "--out", card, "--nights", "1", "--seed", "7")
    made = run("import", card, "--out", night, "--location", "Demo meadow", "--lat", "51 30 N", "--long", "0 7 W",
               "--utc", "+1", "--quiet").stdout.split("\n")[0].strip()
    survey = os.path.join(tmp, "season.zvs")

    p = run("survey", "add", survey, made, expect=1)
    check(made + ": a ZV1 file holds no calls; give --find-calls" in p.stderr, "ZV1 refusal names the file: " + p.stderr)
    p = run("survey", "add", survey, made, "--find-calls")
    zv2 = made[:-4] + ".ZV2"
    check(os.path.exists(zv2), "the ZV2 file is made beside the ZV1 file")
    check(p.stdout.startswith("added: " + zv2), "added line: " + p.stdout)
    check("1 added, 0 replaced, 0 skipped, 0 failed; 1 deployment(s)" in p.stderr, "summary: " + p.stderr)
    first = exports(survey)
    check(first["passes"].count("\r\n") > 10, "passes exported: " + first["passes"][:300])

    # The same file again, and under another name, replaces its rows.
    renamed = os.path.join(tmp, "renamed.ZV2")
    shutil.copy(zv2, renamed)
    p = run("survey", "add", survey, night)  # the folder: its ZV2 file (the ZV1 has one beside it)
    check(p.stdout.startswith("replaced: "), "re-adding the folder replaces: " + p.stdout)
    p = run("survey", "add", survey, renamed)
    again = exports(survey)
    check(again["passes"].count("\r\n") == first["passes"].count("\r\n") and again["nights"] == first["nights"]
          and again["species-nights"] == first["species-nights"], "adding the file under another name does not count it twice")
    check("renamed.ZV2" in again["passes"] and os.path.basename(zv2) + "," not in again["passes"], "the passes name the file as last added")

    # Other loggers, added by a folder walk.
    more = os.path.join(tmp, "more", "deep")
    os.makedirs(more)
    for k in range(6):
        with_logger(zv2, os.path.join(more, f"logger{k}.ZV2"), 30000 + k)
    p = run("survey", "add", survey, os.path.join(tmp, "more"), expect=1)  # not recursive: nothing found
    p = run("survey", "add", survey, os.path.join(tmp, "more"), "--recursive")
    check("6 added" in p.stderr and "7 deployment(s)" in p.stderr, "recursive add: " + p.stderr)
    listing = run("survey", "list", survey).stdout
    check(listing.count("Logger ") == 7 and "Demo meadow" in listing, "list: " + listing[:400])

    out = os.path.join(tmp, "nights.csv")
    p = run("survey", "export", survey, "--table", "nights", "--out", out)
    check(open(out, newline="").read() == exports(survey)["nights"], "--out holds what standard output gets")
    check(not [f for f in os.listdir(tmp) if f.endswith(".part")], "no temporary file is left")
    run("survey", "export", survey, "--table", "bats", expect=2)

    # Surveys that cannot be written are named and left alone.
    text = os.path.join(tmp, "notes.zvs")
    open(text, "w").write("not a database\n" * 100)
    before = sha(text)
    p = run("survey", "add", text, zv2, expect=1)
    check(p.stderr.startswith(text + ": not a survey file"), "not SQLite: " + p.stderr)
    check(sha(text) == before, "the text file is unchanged")
    holder = sqlite3.connect(survey, isolation_level=None)
    holder.execute("BEGIN EXCLUSIVE")
    p = run("survey", "add", survey, zv2, expect=1)
    check("in use by another program" in p.stderr, "locked: " + p.stderr)
    holder.execute("ROLLBACK")
    holder.close()

    # Writing fails while a file is added (a file size limit stands in for a small disk; SQLite
    # reports it as a failed write, where a full disk gives "the disk is full").
    def small_disk():
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (os.path.getsize(survey) + 8192,) * 2)
    with_logger(zv2, os.path.join(tmp, "another.ZV2"), 12345)
    before = sha(survey)
    p = subprocess.run([CLI, "survey", "add", survey, os.path.join(tmp, "another.ZV2")], preexec_fn=small_disk,
                       capture_output=True, text=True)
    check(p.returncode == 1 and survey + ": could not be written (" in p.stderr
          and "the survey is as it was before this file" in p.stderr, f"failed write: exit {p.returncode}: {p.stderr}")
    check(sha(survey) == before, "the survey is unchanged after the failed write")

    # A run killed part-way: what it left, the same command completes to a clean run's tables.
    many = os.path.join(tmp, "many")
    os.makedirs(many)
    for k in range(40):
        with_logger(zv2, os.path.join(many, f"l{k:02}.ZV2"), 40000 + k)
    killed = os.path.join(tmp, "killed.zvs")
    proc = subprocess.Popen([CLI, "survey", "add", killed, many], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    time.sleep(0.4)
    proc.send_signal(signal.SIGKILL)
    proc.wait()
    if os.path.exists(killed):
        db = sqlite3.connect(killed)
        check(db.execute("PRAGMA integrity_check").fetchone()[0] == "ok", "the killed run's survey is whole")
        print("killed run left", db.execute("SELECT count(*) FROM survey_file").fetchone()[0], "of 40 files")
        db.close()
    run("survey", "add", killed, many)
    clean = os.path.join(tmp, "clean.zvs")
    run("survey", "add", clean, many)
    check(exports(killed) == exports(clean), "completing a killed run gives the clean run's tables")

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("survey commands: all checks passed")
