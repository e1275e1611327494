#!/usr/bin/env python3
"""Checks that a text the program shows or writes has one home: within each group of message
headers below, no string literal is spelt out twice (in one header or in two). A text that
several folders say lives in the lowest of them, and the others name it (kX = other::msg::kX).
Usage: check_message_texts.py [SOURCE_DIR] [--all]; --all also lists, without failing, every
text that message headers outside the groups share."""
import collections
import pathlib
import re
import sys

# Message headers that must not repeat each other's texts: the survey report's texts, the
# survey page's and the report command's, with the homes of the words they share.
GROUPS = {
    "survey report": [
        "core/Messages.h",
        "survey/Messages.h",
        "report/Messages.h",
        "cli/SurveyMessages.h",
        "cli/SurveyReportMessages.h",
        "ui/pages/SurveyPageMessages.h",
    ],
}

LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')


def literals(path):
    """(text, line number) of every string literal outside comments and includes."""
    out = []
    for n, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
        code = line.split("//", 1)[0] if not line.lstrip().startswith("#include") else ""
        out += [(m.group(1), n) for m in LITERAL.finditer(code)]
    return out


def main():
    args = [a for a in sys.argv[1:] if a != "--all"]
    src = pathlib.Path(args[0] if args else ".") / "src"
    problems = []
    for group, headers in GROUPS.items():
        seen = collections.defaultdict(list)
        for header in headers:
            path = src / header
            if not path.exists():
                problems.append(f"{group}: {header} does not exist")
                continue
            for text, n in literals(path):
                seen[text].append(f"{header}:{n}")
        for text, places in sorted(seen.items()):
            if len(places) > 1:
                problems.append(f"{group}: {text!r} spelt out in {', '.join(places)}")
    if "--all" in sys.argv:
        grouped = {h for headers in GROUPS.values() for h in headers}
        shared = collections.defaultdict(set)
        for path in sorted(src.rglob("*Messages.h")):
            rel = str(path.relative_to(src))
            for text, _ in literals(path):
                shared[text].add(rel)
        for text, where in sorted(shared.items()):
            if len(where) > 1 and not where <= grouped:
                print(f"shared: {text!r} in {', '.join(sorted(where))}")
    for p in problems:
        print(p)
    print(f"message texts: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
