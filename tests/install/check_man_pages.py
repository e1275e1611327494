#!/usr/bin/env python3
"""The man pages say what --help says: every zorvel-cli command has its own section in
zorvel-cli(1) naming each of its options and arguments, and every option of zorvel --help is in
zorvel(1). Usage: check_man_pages.py ZORVEL_CLI ZORVEL MAN_DIR"""
import gzip
import pathlib
import re
import subprocess
import sys

import cli_help


def plain(page):
    """The page as man shows it: roff escapes of dashes undone."""
    return page.replace("\\-", "-").replace("\\fB", "").replace("\\fI", "").replace("\\fR", "")


def sections(page, program):
    """Command path -> text of its .SS section."""
    out = {}
    parts = re.split(r'^\.SS "([^"]*)"\n', page, flags=re.M)
    for title, body in zip(parts[1::2], parts[2::2]):
        words = title.split()
        if words[0] == program:
            out[tuple(words[1:])] = re.split(r"^\.SH ", body, flags=re.M)[0]
    return out


def main():
    cli, gui, man_dir = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    problems = []

    page = plain(gzip.decompress((man_dir / "zorvel-cli.1.gz").read_bytes()).decode())
    if not page.startswith(".TH ZORVEL-CLI 1 "):
        problems.append("zorvel-cli.1 does not start with its title line")
    by_command = sections(page, "zorvel-cli")
    tree = cli_help.command_tree(cli)
    for path, (subs, opts, pos) in tree.items():
        if path == ():
            top = page.split(".SH COMMANDS")[0]
            for names in opts:
                for n in names:
                    if not re.search(r"(^|[ ,])" + re.escape(n) + r"\b", top, re.M):
                        problems.append(f"zorvel-cli.1 OPTIONS lacks {n}")
            continue
        body = by_command.get(path)
        if body is None:
            problems.append(f"zorvel-cli.1 has no section for '{' '.join(path)}'")
            continue
        for names in opts:
            if names == ["-h", "--help"]:
                continue  # said once for every command
            for n in names:
                if not re.search(r"(^|[ ,])" + re.escape(n) + r"($|[ ,])", body, re.M):
                    problems.append(f"zorvel-cli.1 section '{' '.join(path)}' lacks option {n}")
        for p in pos:
            if p not in body:
                problems.append(f"zorvel-cli.1 section '{' '.join(path)}' lacks argument {p}")
        for s in subs:
            if s not in body:
                problems.append(f"zorvel-cli.1 section '{' '.join(path)}' does not list command {s}")
    extra = set(by_command) - set(tree)
    for path in sorted(extra):
        problems.append(f"zorvel-cli.1 has a section for '{' '.join(path)}', which --help does not know")

    gui_page = plain(gzip.decompress((man_dir / "zorvel.1.gz").read_bytes()).decode())
    gui_help = subprocess.run([gui, "--help"], capture_output=True, text=True, check=True).stdout
    for option in sorted(set(re.findall(r"(?<![\w-])--?[a-z][\w-]*", gui_help))):
        if not re.search(r"(?<![\w-])" + re.escape(option) + r"(?![\w-])", gui_page):
            problems.append(f"zorvel.1 lacks {option} of zorvel --help")

    for p in problems:
        print(p)
    print(f"{len(tree)} commands checked, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
