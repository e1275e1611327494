#!/usr/bin/env python3
"""Checks that each src/ folder includes only the folders it may depend on, and that nothing
below display/ includes Qt. Exits non-zero and lists every offending include."""
import pathlib
import re
import sys

ORDER = ["core", "species", "filters", "sim", "import", "recordings", "callfinder", "export", "settings",
         "logger", "sound", "fileutils", "survey", "batch", "display", "report", "ui", "cli"]
# Folders each folder may include besides itself.
ALLOWED = {
    "core": set(),
    "species": {"core"},
    "filters": {"core", "species"},
    "sim": {"core"},
    "import": {"core"},
    "recordings": {"core"},
    "callfinder": {"core", "species"},
    "export": {"core", "species", "filters"},
    "settings": {"core", "filters", "export", "species"},
    "logger": {"core"},
    "sound": {"core"},
    "fileutils": {"core"},
    # The survey reads deployment positions with the import's parser, the one the import checks them with.
    "survey": {"core", "species", "export", "import"},
    # Shards import and find calls as the single commands do, and add to a survey as `survey add` does.
    "batch": {"core", "species", "import", "recordings", "callfinder", "survey"},
    "display": {"core", "species", "filters"},
    # The report draws its pages with Qt Gui, never widgets.
    "report": {"core", "survey"},
    "ui": set(ORDER) - {"ui", "cli"},
    "cli": set(ORDER) - {"cli", "display", "ui"},
}
QT_ALLOWED = {"display", "report", "ui"}

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".") / "src"
    problems = []
    for path in sorted(root.rglob("*")):
        if path.suffix not in {".h", ".hpp", ".cpp", ".cc"}:
            continue
        folder = path.relative_to(root).parts[0]
        allowed = ALLOWED.get(folder)
        if allowed is None:
            problems.append(f"{path}: folder '{folder}' is not in the dependency table")
            continue
        for n, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            inc = m.group(1)
            head = inc.split("/")[0]
            if head.startswith("Q") and folder not in QT_ALLOWED:
                problems.append(f"{path}:{n}: Qt include <{inc}> below display/")
            if "/" in inc and head in ALLOWED and head != folder and head not in allowed:
                problems.append(f"{path}:{n}: '{folder}' may not include '{inc}'")
    # Message texts live in one Messages.h per folder; two folders giving a text the same name in
    # one namespace would silently share one of them at link time.
    seen = {}
    name_re = re.compile(r"constexpr\s+[\w:<>]+(?:\s+const)?\s+(k\w+)\s*(?:\[[^\]]*\])?\s*=")
    ns_re = re.compile(r"namespace\s+([\w:]+)\s*\{")
    for path in sorted(root.glob("*/Messages.h")):
        text = path.read_text(errors="replace")
        ns = ns_re.search(text)
        space = ns.group(1) if ns else ""
        for name in name_re.findall(text):
            key = (space, name)
            if key in seen and seen[key] != path:
                problems.append(f"{path}: message name {space}::{name} also in {seen[key]}")
            seen.setdefault(key, path)
    for p in problems:
        print(p)
    print(f"layering: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
