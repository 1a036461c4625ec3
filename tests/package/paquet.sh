#!/usr/bin/env bash
# Builds the Debian package with CPack, checks it as a distribution would
# (dpkg-deb, desktop-file-validate, appstreamcli, lintian), unpacks it into a
# scratch root and starts the unpacked program on a scratch HOME: it must make
# ~/Filmorel from its own starter catalogue and open it.
# Usage: paquet.sh BUILD_FOLDER VERSION
set -euo pipefail
BUILD="$(realpath "$1")"
VERSION="$2"
WORK="$(mktemp -d)"
PID=""
finish() {
  [ -n "$PID" ] && kill "$PID" 2>/dev/null || true
  [ -n "${KEEP:-}" ] || rm -rf "$WORK"
}
trap finish EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$WORK/program.log" ] && sed "s/^/  program: /" "$WORK/program.log" >&2; exit 1; }

(cd "$BUILD" && cpack -G DEB -B "$WORK/out" >"$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log" >&2; fail "cpack"; }
DEB="$WORK/out/filmorel_${VERSION}_$(dpkg --print-architecture).deb"
[ -f "$DEB" ] || fail "no $(basename "$DEB") in: $(ls "$WORK/out")"

# What the package holds and needs.
dpkg-deb --info "$DEB" >"$WORK/info" || fail "dpkg-deb --info"
for dep in qt6-translations-l10n fonts-liberation2 libqt6widgets6 libqt6printsupport6 libc6; do
  grep -q "^ Depends:.*\b$dep\b" "$WORK/info" || fail "Depends lacks $dep: $(grep Depends "$WORK/info")"
done
dpkg-deb --contents "$DEB" | awk '{print $6}' >"$WORK/contents" || fail "dpkg-deb --contents"
for f in usr/bin/filmorel usr/share/filmorel/catalogue/dvd.ini usr/share/filmorel/catalogue/jackets/jacket.bmp \
         usr/share/filmorel/catalogue/historique/ usr/share/filmorel/catalogue/export/ \
         usr/share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/filmorel.png \
         usr/share/icons/hicolor/scalable/apps/filmorel.svg usr/share/man/man1/filmorel.1.gz \
         usr/share/doc/filmorel/copyright usr/share/doc/filmorel/changelog.gz; do
  grep -qx "\./$f" "$WORK/contents" || fail "package lacks $f"
done
! grep -q gitkeep "$WORK/contents" || fail "package holds .gitkeep files"
ROOT="$WORK/root"
dpkg -x "$DEB" "$ROOT" || fail "dpkg -x"
for s in 48 64 128 256; do
  identify -format '%wx%h' "$ROOT/usr/share/icons/hicolor/${s}x${s}/apps/filmorel.png" | grep -qx "${s}x${s}" \
    || fail "icon of ${s} px has another size"
done

# The menu entry and the software-centre metadata, as the desktop tools read them.
desktop=("$ROOT"/usr/share/applications/*.desktop)
metainfo=("$ROOT"/usr/share/metainfo/*.metainfo.xml)
[ ${#desktop[@]} -eq 1 ] && [ ${#metainfo[@]} -eq 1 ] || fail "one .desktop and one metainfo expected"
desktop-file-validate "${desktop[0]}" || fail "desktop-file-validate"
appstreamcli validate --no-net "${metainfo[0]}" || fail "appstreamcli validate"
id="$(basename "${metainfo[0]}" .metainfo.xml)"
[ "$(basename "${desktop[0]}")" = "$id.desktop" ] || fail "the desktop file is not named after the id $id"
grep -q "<release version=\"$VERSION\"" "${metainfo[0]}" || fail "metainfo: no release $VERSION"

# Lintian: no error; warnings are shown.
lintian $([ "$(id -u)" -eq 0 ] && echo --allow-root) "$DEB" >"$WORK/lintian" 2>&1 || true
cat "$WORK/lintian"
! grep -q '^E:' "$WORK/lintian" || fail "lintian errors"

# The unpacked program: French help and version without a display, then a
# first run offscreen from a folder without a catalogue.
EXE="$ROOT/usr/bin/filmorel"
env -u DISPLAY "$EXE" --version | grep -qx "Filmorel $VERSION" || fail "--version"
env -u DISPLAY "$EXE" --help | grep -q "^Utilisation :" || fail "--help is not in French"
mkdir -p "$WORK/home" "$WORK/ailleurs"
(cd "$WORK/ailleurs" && HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK" QT_QPA_PLATFORM=offscreen exec "$EXE") \
  >"$WORK/program.log" 2>&1 &
PID=$!
CAT="$WORK/home/Filmorel"
# Open: dvd.ini read, the folder locked by this process, the empty record files made.
for _ in $(seq 1 150); do
  [ -f "$CAT/dvd.lst" ] && [ -f "$CAT/dvd.idx" ] && [ "$(head -n 1 "$CAT/filmorel.lock" 2>/dev/null)" = "$PID" ] && break
  kill -0 "$PID" 2>/dev/null || fail "the program ended at start-up"
  sleep 0.2
done
[ -f "$CAT/dvd.lst" ] || fail "~/Filmorel was not opened: $(ls -A "$CAT" 2>&1)"
kill -0 "$PID" 2>/dev/null || fail "the program did not stay open"
cmp -s "$CAT/dvd.ini" "$ROOT/usr/share/filmorel/catalogue/dvd.ini" || fail "dvd.ini differs from the starter's"
cmp -s "$CAT/jackets/jacket.bmp" "$ROOT/usr/share/filmorel/catalogue/jackets/jacket.bmp" || fail "no default cover"
[ -d "$CAT/historique" ] && [ -d "$CAT/export" ] || fail "historique/ or export/ missing"
[ -z "$(find "$CAT" -name .gitkeep)" ] || fail ".gitkeep copied"
[ -w "$CAT/dvd.ini" ] || fail "dvd.ini not writable"
[ -z "$(ls -A "$WORK/ailleurs")" ] || fail "files written to the current folder"
echo "package $(basename "$DEB") checked"
