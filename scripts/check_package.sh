#!/usr/bin/env bash
# Builds the Debian package, installs it into this system with apt-get, runs both installed programs, removes the
# package again and checks that nothing of it is left. Uses sudo when not run as root.
set -euo pipefail
cd "$(dirname "$0")/.."

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
fail() { echo "check_package: $*" >&2; exit 1; }
work="$(mktemp -d)"
installed=no
# On a failure the package does not stay installed.
cleanup() {
  if [ "$installed" = yes ] && dpkg -s kalvora >/dev/null 2>&1; then
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get remove -y -qq --purge kalvora >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
files="$work/package-files"

deb="$(scripts/package.sh | tail -n 1)"
version="$(dpkg-deb -f "$deb" Version)"
echo "== Installing $deb =="
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "$deb" >/dev/null
installed=yes
dpkg -L kalvora > "$files"

echo "== Running the installed programs =="
for path in /usr/bin/kalvora /usr/bin/kalvora-cli /usr/share/applications/io.github.kalvora.Kalvora.desktop \
            /usr/share/icons/hicolor/scalable/apps/io.github.kalvora.Kalvora.svg \
            /usr/share/metainfo/io.github.kalvora.Kalvora.metainfo.xml \
            /usr/share/man/man1/kalvora.1.gz /usr/share/man/man1/kalvora-cli.1.gz \
            /usr/share/doc/kalvora/copyright /usr/share/doc/kalvora/LICENSE; do
  grep -qx "$path" "$files" || fail "the package does not hold $path"
done
[ "$(/usr/bin/kalvora-cli --version)" = "kalvora-cli $version" ] || fail "kalvora-cli --version does not print $version"
[ "$(QT_QPA_PLATFORM=offscreen /usr/bin/kalvora --version)" = "kalvora $version" ] ||
  fail "kalvora --version does not print $version"
# The desktop program starts and keeps running until stopped (its lock in a runtime folder of its own, so that no
# other copy is met).
mkdir -m 700 "$work/runtime"
status=0
XDG_RUNTIME_DIR="$work/runtime" timeout 5 /usr/bin/kalvora -platform offscreen >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the desktop program did not keep running (exit status $status)"
# The README's worked example, its places taken from the atlas and their zones from the zone database, with the
# report as PDF.
result="$(cd "$work" && QT_QPA_PLATFORM=offscreen /usr/bin/kalvora-cli --subject "Marriage" --name "Asha" \
  --sex Female --muhurtha 2026-12-10T10:30 --muhurtha-place "Delhi" \
  --birth 1995-08-15T06:45 --birth-place "Mumbai" --report report.pdf)" || fail "the calculation failed"
grep -q "^Tara Bala: " <<<"$result" || fail "the calculation printed no result: $result"
[ -s "$work/report.pdf" ] || fail "the calculation wrote no report"
# The people file goes through the toolkit's SQLite driver, which the package depends on by name.
KALVORA_DATA_DIR="$work" /usr/bin/kalvora-cli people add --name Asha --sex Female --birth 1995-08-15T06:45 \
  --birth-lat 19:04N --birth-lon 72:52E --birth-zone +05:30 >/dev/null || fail "people add failed"
people="$(KALVORA_DATA_DIR="$work" /usr/bin/kalvora-cli people list)" || fail "people list failed"
grep -q "^Asha " <<<"$people" || fail "people list lost the person: $people"
if command -v man >/dev/null; then
  man -w kalvora-cli >/dev/null 2>&1 || fail "man finds no page for kalvora-cli"
fi

echo "== Removing the package =="
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get remove -y -qq --purge kalvora >/dev/null
if dpkg -s kalvora >/dev/null 2>&1; then
  fail "dpkg still knows the package after its removal"
fi
# Every path the package held is gone, except folders other packages hold too.
while read -r path; do
  [ "$path" = "/." ] && continue
  [ -e "$path" ] || continue
  if [ -d "$path" ] && dpkg -S "$path" >/dev/null 2>&1; then
    continue
  fi
  fail "$path is left after the removal"
done < "$files"
echo "The package $deb installed, ran and was removed without a trace."
