#!/usr/bin/env bash
# The Debian package built by CPack, checked as a distribution would, unpacked
# into a scratch root; the unpacked program, started on a scratch HOME, makes
# ~/Filmorel from its own starter and opens it. Usage: paquet.sh BUILD VERSION
set -euo pipefail
BUILD="$(realpath "$1")" VERSION="$2" WORK="$(mktemp -d)" PID=""
trap '[ -n "$PID" ] && kill "$PID" 2>/dev/null; [ -n "${KEEP:-}" ] || rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$WORK/program.log" ] && sed "s/^/  program: /" "$WORK/program.log" >&2; exit 1; }

(cd "$BUILD" && cpack -G DEB -B "$WORK/out" >"$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log" >&2; fail "cpack"; }
DEB="$WORK/out/filmorel_${VERSION}_$(dpkg --print-architecture).deb"
[ -f "$DEB" ] || fail "no $(basename "$DEB") in: $(ls "$WORK/out")"
# What the package needs beyond its libraries, and holds.
for dep in qt6-translations-l10n fonts-liberation2 libqt6widgets6; do
  dpkg-deb --field "$DEB" Depends | grep -q "\b$dep\b" || fail "Depends lacks $dep"
done
dpkg-deb --contents "$DEB" | awk '{print $6}' >"$WORK/contents" || fail "dpkg-deb --contents"
for f in usr/bin/filmorel usr/share/filmorel/catalogue/{jackets/jacket.bmp,historique/,export/} \
         usr/share/man/man1/filmorel.1.gz usr/share/doc/filmorel/copyright \
         usr/share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/filmorel.png \
         usr/share/icons/hicolor/scalable/apps/filmorel.svg; do
  grep -qx "\./$f" "$WORK/contents" || fail "package lacks $f"
done
! grep -q gitkeep "$WORK/contents" || fail "package holds .gitkeep files"
ROOT="$WORK/root" EXE="$WORK/root/usr/bin/filmorel" CAT="$WORK/home/Filmorel"
dpkg -x "$DEB" "$ROOT" || fail "dpkg -x"
for s in 48x48 256x256; do
  [ "$(identify -format %wx%h "$ROOT/usr/share/icons/hicolor/$s/apps/filmorel.png")" = "$s" ] || fail "icon $s"
done

# The menu entry and the software-centre metadata, as the desktop tools read them.
metainfo=("$ROOT"/usr/share/metainfo/*.metainfo.xml)
desktop-file-validate "$ROOT/usr/share/applications/$(basename "$metainfo" .metainfo.xml).desktop" || fail "desktop file"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -q "<release version=\"$VERSION\"" "$metainfo" || fail "metainfo: no release $VERSION"
lintian $([ "$(id -u)" -eq 0 ] && echo --allow-root) "$DEB" | tee "$WORK/lintian" || true
! grep -q '^E:' "$WORK/lintian" || fail "lintian errors"

# French help and version without a display; a first run offscreen elsewhere.
env -u DISPLAY "$EXE" --version | grep -qx "Filmorel $VERSION" || fail "--version"
env -u DISPLAY "$EXE" --help | grep -q "^Utilisation :" || fail "--help is not in French"
mkdir -p "$WORK/home" "$WORK/ailleurs"
(cd "$WORK/ailleurs" && HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK" QT_QPA_PLATFORM=offscreen exec "$EXE") \
  >"$WORK/program.log" 2>&1 &
PID=$!
for _ in $(seq 1 150); do
  [ -f "$CAT/dvd.lst" ] && [ "$(head -n 1 "$CAT/filmorel.lock" 2>/dev/null)" = "$PID" ] && break
  kill -0 "$PID" 2>/dev/null || fail "the program ended at start-up"
  sleep 0.2
done
[ -f "$CAT/dvd.lst" ] || fail "~/Filmorel was not opened: $(ls -A "$CAT" 2>&1)"
cmp -s "$CAT/dvd.ini" "$ROOT/usr/share/filmorel/catalogue/dvd.ini" || fail "dvd.ini differs from the starter's"
echo "package $(basename "$DEB") checked"
