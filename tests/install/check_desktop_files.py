#!/usr/bin/env python3
"""The desktop files, installed into a scratch prefix, pass the freedesktop validators and work
together: the desktop entry starts an installed program with the chosen files and claims exactly
the file types the MIME package defines and the metainfo provides; after the caches are built,
a file named like a data, settings or logger file (in either letter case, with spaces) is known
by its type, and that type opens with the desktop entry.
Usage: check_desktop_files.py BUILD_DIR"""
import configparser
import os
import pathlib
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

APP_ID = "org.zorvel.zorvel"
MIME_NS = "{http://www.freedesktop.org/standards/shared-mime-info}"
# File name -> the type it must have.
SAMPLES = {
    "Pond night.ZV1": "application/x-zorvel-zv1",
    "pond.zv2": "application/x-zorvel-zv2",
    "Étang.ZV3": "application/x-zorvel-zv3",
    "bats.zvf": "application/x-zorvel-filter-settings",
    "hourly.ZVE": "application/x-zorvel-export-settings",
    "0BAT000.NXQ": "application/x-zorvel-logger-data",
}


def run(args, env=None):
    return subprocess.run(args, capture_output=True, text=True, env=env)


def main():
    build = sys.argv[1]
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        root = pathlib.Path(tmp)
        prefix = root / "usr"
        subprocess.run(["cmake", "--install", build, "--prefix", str(prefix)], check=True, capture_output=True)
        share = prefix / "share"
        desktop = share / "applications" / f"{APP_ID}.desktop"
        metainfo = share / "metainfo" / f"{APP_ID}.metainfo.xml"
        mime_xml = share / "mime" / "packages" / f"{APP_ID}.xml"

        v = run(["desktop-file-validate", str(desktop)])
        if v.returncode != 0 or v.stdout.strip():
            problems.append(f"desktop-file-validate: {v.stdout.strip()} {v.stderr.strip()}")
        v = run(["appstreamcli", "validate", "--no-net", "--pedantic", str(metainfo)])
        if v.returncode != 0:
            problems.append(f"appstreamcli validate: {v.stdout.strip()}")

        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(desktop)
        section = entry["Desktop Entry"]
        exec_words = section["Exec"].split()
        if not (prefix / "bin" / exec_words[0]).exists():
            problems.append(f"Exec runs {exec_words[0]}, which is not installed")
        if "%F" not in exec_words:
            problems.append("Exec does not pass the chosen files (%F)")
        if not (share / "icons/hicolor/scalable/apps" / (section["Icon"] + ".svg")).exists():
            problems.append(f"Icon {section['Icon']} is not installed")
        claimed = {t for t in section["MimeType"].split(";") if t}
        defined = {m.get("type") for m in ET.parse(mime_xml).getroot().iter(MIME_NS + "mime-type")}
        provided = {m.text for m in ET.parse(metainfo).getroot().iter("mediatype")}
        if claimed != defined or provided != defined:
            problems.append(f"types differ: desktop {sorted(claimed)}, MIME {sorted(defined)}, "
                            f"metainfo {sorted(provided)}")
        if set(SAMPLES.values()) != defined:
            problems.append(f"this test's samples cover {sorted(set(SAMPLES.values()))}, not {sorted(defined)}")

        for tool in (["update-mime-database", str(share / "mime")],
                     ["update-desktop-database", str(share / "applications")]):
            r = run(tool)
            if r.returncode != 0:
                problems.append(f"{tool[0]}: {r.stderr.strip()}")
        home = root / "home"
        data = home / "data"
        data.mkdir(parents=True)
        # A desktop session runs in a UTF-8 locale; the lookup tools need one for non-ASCII names.
        env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": str(home), "LANG": "C.UTF-8",
               "XDG_DATA_HOME": str(home / ".local/share"), "XDG_DATA_DIRS": f"{share}:/usr/share"}
        for name, want in SAMPLES.items():
            path = data / name
            path.write_bytes(bytes(1100))
            got = run(["xdg-mime", "query", "filetype", str(path)], env).stdout.strip()
            if got != want:
                problems.append(f"{name} is {got!r}, not {want}")
        for mime in sorted(defined):
            got = run(["xdg-mime", "query", "default", mime], env).stdout.strip()
            if got != f"{APP_ID}.desktop":
                problems.append(f"{mime} opens with {got!r}, not {APP_ID}.desktop")
        comments = re.findall(r"<comment>([^<]*)</comment>", mime_xml.read_text())
        if len(comments) != len(defined):
            problems.append("every file type needs a comment for the file manager to show")

    for p in problems:
        print(p)
    print(f"{len(SAMPLES)} file names and {len(defined)} types checked, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
