#!/usr/bin/env bash
# The package as a user gets it. Builds the Debian package, checks it with lintian, installs it
# with apt-get (so its dependencies resolve), then, from the installed paths only (a clean
# environment, outside the source tree): zorvel-cli --version, its man page, a simulated night
# through import and find-calls, a screenshot of the night in the window, the completion, and
# the file associations of a data file. Then it purges the package and checks that nothing of it
# is left under /usr and that the user's data files were not touched.
#
# It installs and removes a system package, so it runs in CI (.ci/run) and on a developer's
# machine only when asked:  bash scripts/package-test.sh   (as root, or with sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
# Wait for another apt run to finish instead of failing on its lock.
apt_get() { $SUDO apt-get -o DPkg::Lock::Timeout=300 "$@"; }
fail() { echo "package-test: FAILED: $*" >&2; exit 1; }
step() { echo "package-test: $*"; }
t0=$(date +%s)

# What checking needs beyond bootstrap.sh (CI starts from a fresh machine).
TOOLS=(lintian desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl man-db)
missing=()
for p in "${TOOLS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  step "installing ${missing[*]}"
  apt_get update -qq
  apt_get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# A zorvel package left from an earlier run would hide what this one installs.
if dpkg-query -W -f='${Status}' zorvel 2>/dev/null | grep -q "install ok installed"; then
  step "removing the zorvel package installed before this test"
  apt_get purge -y -qq zorvel >/dev/null
fi

bash scripts/package.sh
debs=(build/release/zorvel_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package, found ${debs[*]}"
deb="$repo/${debs[0]}"
t1=$(date +%s)

step "lintian $(basename "$deb")"
lintian --fail-on error "$deb" || fail "lintian reports errors"

work=$(mktemp -d)
installed=0
# A run that fails half-way leaves no package behind on a developer's machine.
cleanup() {
  if [ $installed -eq 1 ]; then apt_get purge -y -qq zorvel >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
find /usr -xdev \( -type f -o -type l \) | sort > "$work/usr-before"

step "apt-get install $(basename "$deb")"
installed=1
apt_get install -y -qq "$deb" >/dev/null
dpkg-query -L zorvel | sort > "$work/package-files"
version=$(dpkg-query -W -f='${Version}' zorvel)

# From here on only what the package installed: no build tree on PATH, a fresh home and a user's
# data folder whose name has a space.
home="$work/home"
data="$home/bat data"
mkdir -p "$data"
cd "$work"
run() {
  env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 XDG_DATA_HOME="$home/.local/share" \
    XDG_DATA_DIRS=/usr/local/share:/usr/share "$@"
}

[ "$(run sh -c 'command -v zorvel-cli')" = /usr/bin/zorvel-cli ] || fail "zorvel-cli is not /usr/bin/zorvel-cli"
[ "$(run sh -c 'command -v zorvel')" = /usr/bin/zorvel ] || fail "zorvel is not /usr/bin/zorvel"
got=$(run zorvel-cli --version)
[ "$got" = "zorvel-cli $version" ] || fail "zorvel-cli --version said '$got', the package is $version"
step "zorvel-cli --version: $got"

page=$(run man -w zorvel-cli) || fail "man -w zorvel-cli found no page"
[ "$page" = /usr/share/man/man1/zorvel-cli.1.gz ] || fail "man -w zorvel-cli gave $page"
run man -w zorvel >/dev/null || fail "man -w zorvel found no page"
run man zorvel-cli 2>/dev/null | grep -q "zorvel-cli find-calls" || fail "man zorvel-cli does not show find-calls"
step "man -w zorvel-cli: $page"

run bash -c 'source /usr/share/bash-completion/completions/zorvel-cli; complete -p zorvel-cli' >/dev/null ||
  fail "the installed completion does not register zorvel-cli"

step "a simulated night through import and find-calls"
run zorvel-cli simulate --out "$data/card" --nights 1 --seed 7 >/dev/null
run zorvel-cli import "$data/card" --out "$data/night" --location "Package test" --quiet > "$work/made.txt"
mapfile -t made < "$work/made.txt"
[ ${#made[@]} -ge 1 ] && [ -f "${made[0]}" ] || fail "import made no ZV1 file"
run zorvel-cli find-calls "${made[@]}" | tee "$work/calls.txt"
zv2="${made[0]%.ZV1}.ZV2"
[ -f "$zv2" ] || fail "find-calls made no $zv2"

step "zorvel --screenshot of the night"
run QT_QPA_PLATFORM=offscreen zorvel --screenshot "$work/night.png" --size 1920x1080 --level 13 --open "${made[0]}" "$zv2"
[ "$(head -c 8 "$work/night.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "the screenshot is not a PNG"
size=$(od -An -tu1 -j16 -N8 "$work/night.png" | awk '{print $3*256+$4 "x" $7*256+$8}')
[ "$size" = 1920x1080 ] || fail "the screenshot is $size, not 1920x1080"
mkdir -p "$repo/build/package-test" && cp "$work/night.png" "$repo/build/package-test/night.png"

step "file associations"
desktop-file-validate /usr/share/applications/org.zorvel.zorvel.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/org.zorvel.zorvel.metainfo.xml >/dev/null ||
  fail "appstreamcli validate"
type=$(run xdg-mime query filetype "${made[0]}")
[ "$type" = application/x-zorvel-zv1 ] || fail "xdg-mime says ${made[0]} is '$type'"
app=$(run xdg-mime query default "$type")
[ "$app" = org.zorvel.zorvel.desktop ] || fail "xdg-mime opens $type with '$app'"
step "$(basename "${made[0]}") is $type, opened by $app"
grep -q '^Exec=zorvel --open %F$' /usr/share/applications/org.zorvel.zorvel.desktop ||
  fail "the desktop entry does not open the chosen files"

# The user's files, to compare after the package is gone.
(cd "$data" && find . -type f -print0 | sort -z | xargs -0 sha256sum) > "$work/data-before"
cd "$repo"

step "apt-get purge zorvel"
apt_get purge -y -qq zorvel >/dev/null
installed=0
dpkg-query -W -f='${Status}' zorvel 2>/dev/null | grep -q "install ok installed" && fail "zorvel is still installed"
left=0
while read -r f; do
  if [ -f "$f" ] || [ -L "$f" ]; then echo "left behind: $f"; left=1; fi
done < "$work/package-files"
[ $left -eq 0 ] || fail "files of the package were left behind"
find /usr -xdev \( -type f -o -type l \) | sort > "$work/usr-after"
# Anything new under /usr must belong to another package (a dependency apt pulled in).
comm -13 "$work/usr-before" "$work/usr-after" > "$work/usr-new"
while read -r f; do
  dpkg-query -S "$f" >/dev/null 2>&1 || { echo "left under /usr, owned by no package: $f"; left=1; }
done < "$work/usr-new"
[ $left -eq 0 ] || fail "the package left files under /usr"
(cd "$data" && find . -type f -print0 | sort -z | xargs -0 sha256sum) > "$work/data-after"
cmp -s "$work/data-before" "$work/data-after" || fail "the user's data files changed when the package was removed"
step "purged: nothing left under /usr; $(wc -l < "$work/data-after") data files untouched"

t2=$(date +%s)
step "passed: package built in $((t1 - t0)) s, install test $((t2 - t1)) s"
