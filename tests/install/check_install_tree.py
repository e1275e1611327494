#!/usr/bin/env python3
"""`cmake --install` into a scratch prefix puts every file of the package in its place: both
programs (and they run from there), man pages that are gzipped roff, the completion, the desktop
entry, the file types, the metainfo, the icon at each size it claims, and the package's
copyright and changelog. Nothing else is installed.
Usage: check_install_tree.py BUILD_DIR VERSION"""
import gzip
import pathlib
import struct
import subprocess
import sys
import tempfile

ICON_SIZES = [16, 24, 32, 48, 64, 128, 256]
APP_ID = "org.zorvel.zorvel"


def png_size(path):
    data = path.read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        return None
    return struct.unpack(">II", data[16:24])


def main():
    build, version = sys.argv[1], sys.argv[2]
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        prefix = pathlib.Path(tmp)
        subprocess.run(["cmake", "--install", build, "--prefix", str(prefix)], check=True, capture_output=True)
        expected = {
            "bin/zorvel", "bin/zorvel-cli",
            "share/man/man1/zorvel.1.gz", "share/man/man1/zorvel-cli.1.gz",
            "share/bash-completion/completions/zorvel-cli",
            f"share/applications/{APP_ID}.desktop",
            f"share/mime/packages/{APP_ID}.xml",
            f"share/metainfo/{APP_ID}.metainfo.xml",
            "share/icons/hicolor/scalable/apps/zorvel.svg",
            "share/doc/zorvel/copyright", "share/doc/zorvel/changelog.gz",
        } | {f"share/icons/hicolor/{s}x{s}/apps/zorvel.png" for s in ICON_SIZES}
        found = {str(p.relative_to(prefix)) for p in prefix.rglob("*") if p.is_file()}
        for missing in sorted(expected - found):
            problems.append(f"not installed: {missing}")
        for extra in sorted(found - expected):
            problems.append(f"installed but not expected: {extra}")

        for name in ("zorvel", "zorvel-cli"):
            exe = prefix / "bin" / name
            if not exe.exists():
                continue
            run = subprocess.run([str(exe), "--version"], capture_output=True, text=True)
            if run.returncode != 0 or run.stdout.strip() != f"{name} {version}":
                problems.append(f"installed {name} --version said {run.stdout.strip()!r} (rc {run.returncode})")

        for page, title in (("zorvel.1.gz", ".TH ZORVEL 1 "), ("zorvel-cli.1.gz", ".TH ZORVEL-CLI 1 ")):
            path = prefix / "share/man/man1" / page
            if path.exists():
                text = gzip.decompress(path.read_bytes()).decode()
                if not text.startswith(title) or f'"zorvel {version}"' not in text.splitlines()[0]:
                    problems.append(f"{page}: title line is {text.splitlines()[0]!r}")
                if "@" in text:
                    problems.append(f"{page}: a template placeholder was left in")

        for s in ICON_SIZES:
            path = prefix / f"share/icons/hicolor/{s}x{s}/apps/zorvel.png"
            if path.exists() and png_size(path) != (s, s):
                problems.append(f"{path.name} in {s}x{s} is {png_size(path)}")

        changelog = prefix / "share/doc/zorvel/changelog.gz"
        if changelog.exists():
            first = gzip.decompress(changelog.read_bytes()).decode().splitlines()[0]
            if first != f"zorvel ({version}) unstable; urgency=medium":
                problems.append(f"changelog's first entry is {first!r}, not version {version}")
        metainfo = prefix / f"share/metainfo/{APP_ID}.metainfo.xml"
        if metainfo.exists() and f'<release version="{version}"' not in metainfo.read_text():
            problems.append(f"the metainfo does not name release {version}")

    for p in problems:
        print(p)
    print(f"{len(expected)} files expected, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
