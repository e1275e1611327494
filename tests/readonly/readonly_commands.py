#!/usr/bin/env python3
"""Commands that only read leave every byte of a data file as it was.

Builds, from a simulated night, a ZV1 file with wave groups whose time runs backwards, a ZV1 file
whose header has no last logged minute (0), and a ZV2 file with a call that starts before the
previous call ended (backward extension); runs info, map, dump, list, export, wav and find-calls
over them and checks the SHA-256 of each data file before and after. find-calls may write only
ZV2 and map files.

Usage: readonly_commands.py ZORVEL_CLI
"""
import hashlib
import os
import shutil
import struct
import subprocess
import sys
import tempfile

CLI = sys.argv[1]
failures = []


def run(*args, expect_ok=True):
    p = subprocess.run([CLI, *args], capture_output=True, text=True)
    if expect_ok and p.returncode != 0:
        failures.append(f"{' '.join(args)}: exit {p.returncode}\n{p.stderr[-2000:]}")
    return p


def sha(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def records(data):
    for at in range(1024, len(data) - 15, 16):
        yield at, data[at]


def tick(data, at):
    return (data[at] << 16) | (data[at + 1] << 8) | data[at + 2]


def put_tick(data, at, t):
    data[at:at + 3] = bytes([(t >> 16) & 0xFF, (t >> 8) & 0xFF, t & 0xFF])


def make_backward_times(data):
    """Sets a wave group's time below the one before it in up to 20 minutes."""
    done, prev_at, in_minute = 0, None, 0
    for at, rid in records(data):
        if rid == 0xFE:
            prev_at, in_minute = None, 0
        elif rid <= 0xB7:
            in_minute += 1
            if in_minute == 3 and prev_at is not None and tick(data, prev_at) > 10 and done < 20:
                put_tick(data, at, tick(data, prev_at) - 5)
                done += 1
            prev_at = at
    return done


def make_backward_extension(data):
    """Moves the first wave group of a call to before the last wave group of the call before it."""
    last_group_of_call, call_first_group, expecting_first = None, None, False
    prev_call_last = None
    for at, rid in records(data):
        if rid == 0xFE:
            prev_call_last, last_group_of_call, expecting_first = None, None, False
        elif rid == 0xF8:
            prev_call_last, last_group_of_call = last_group_of_call, None
            expecting_first = True
        elif rid <= 0xB7:
            if expecting_first and prev_call_last is not None and tick(data, prev_call_last) > 10:
                put_tick(data, at, tick(data, prev_call_last) - 5)
                return True
            expecting_first = False
            last_group_of_call = at
    return False


def main():
    work = tempfile.mkdtemp(prefix="zorvel_readonly_")
    try:
        card, night = os.path.join(work, "card"), os.path.join(work, "night")
        run("simulate", "--out", card, "--nights", "1", "--seed", "3")
        run("import", card, "--out", night, "--quiet")
        made = sorted(f for f in os.listdir(night) if f.endswith(".ZV1"))
        if not made:
            print("import made no ZV1 file\n" + "\n".join(failures))
            return 1
        source = os.path.join(night, made[0])
        data_dir = os.path.join(work, "data")
        os.mkdir(data_dir)
        base = bytearray(open(source, "rb").read())

        back = bytearray(base)
        if make_backward_times(back) == 0:
            failures.append("could not make backward times")
        zero = bytearray(base)
        zero[260:264] = struct.pack(">i", 0)
        # The ZV2 with a backward-extended call comes from find-calls over a copy elsewhere.
        calls_dir = os.path.join(work, "calls")
        os.mkdir(calls_dir)
        shutil.copy(source, os.path.join(calls_dir, "night.ZV1"))
        run("find-calls", os.path.join(calls_dir, "night.ZV1"), "--jobs", "2")
        ext = bytearray(open(os.path.join(calls_dir, "night.ZV2"), "rb").read())
        if not make_backward_extension(ext):
            failures.append("could not make a backward-extended call")

        files = {"back.ZV1": back, "zero.ZV1": zero, "ext.ZV2": ext}
        for name, data in files.items():
            with open(os.path.join(data_dir, name), "wb") as f:
                f.write(data)
        paths = {name: os.path.join(data_dir, name) for name in files}
        before = {name: sha(p) for name, p in paths.items()}
        present = set(os.listdir(data_dir))

        for name, p in paths.items():
            run("info", p)
            run("map", p)
            dump = run("dump", p)
            if name == "ext.ZV2" and " 0xFB" in dump.stdout:
                failures.append("dump of the ZV2 skipped a wave group of the backward-extended call")
            if name == "back.ZV1" and " 0xFB" not in dump.stdout:
                failures.append("dump of back.ZV1 shows no wave group skipped for its backward time")
            run("map", p, "--force")
            for what in ("times", "settings", "firmware", "calibration", "minutes"):
                run("list", what, p)
            run("wav", p, "--from", "2026-06-01 22:00", "--to", "2026-06-01 22:00:02",
                "--out", os.path.join(work, name + ".wav"), expect_ok=False)
        run("export", "counts", paths["ext.ZV2"], "--kind", "calls", "--period", "hours", "--out", "file")
        run("export", "counts", paths["ext.ZV2"], "--kind", "env", "--period", "minutes", "--out", "file")
        run("export", "calls", paths["ext.ZV2"], expect_ok=False)
        run("find-calls", paths["back.ZV1"], paths["zero.ZV1"], "--jobs", "2")

        for name, p in paths.items():
            if sha(p) != before[name]:
                failures.append(f"{name} changed")
        for new in sorted(set(os.listdir(data_dir)) - present):
            if not new.endswith((".ZV2", ".z1m", ".z2m", " call details.txt", "CallCounts.txt", "DetEnv.txt")):
                failures.append(f"unexpected file {new}")
        for want in ("back.ZV2", "zero.ZV2"):
            if want not in os.listdir(data_dir):
                failures.append(f"find-calls made no {want}")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    if failures:
        print("\n".join(failures))
        return 1
    print("data files unchanged after every reading command")
    return 0


if __name__ == "__main__":
    sys.exit(main())
