#!/bin/sh
# Desktop integration: the installed layout, its desktop entry and metainfo,
# and the Debian package, each started from where it was unpacked.
#   check-install.sh layout|package BUILD_DIR
set -eu
mode=$1
build=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

check() { if eval "$2"; then echo "PASS: $1"; else failures=$((failures + 1)); echo "FAIL: $1"; fi; }

# Both programs from one folder: dovrin still running after two seconds
# without a word about its engine; dovrin-cli converting with no display.
runs() {
    QT_QPA_PLATFORM=offscreen "$1/dovrin" >/dev/null 2>"$scratch/err" &
    sleep 2
    kill "$!" 2>/dev/null || { cat "$scratch/err"; return 1; }
    ! grep -q "could not be loaded" "$scratch/err" &&
        [ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1/dovrin-cli" to-hijri 2024-07-16)" = "1446-01-09 Tuesday" ]
}

case "$mode" in
layout)
    root="$scratch/prefix"
    cmake --install "$build" --prefix "$root" >/dev/null
    check "manual pages" "[ -s '$root/share/man/man1/dovrin.1.gz' ] && man -l '$root/share/man/man1/dovrin-cli.1.gz' 2>/dev/null | grep -q 'to-gregorian DATE'"
    check "engine in lib/dovrin/, not on the library path" "[ -f '$root/lib/dovrin/libzendat32.so' ] && [ ! -e '$root/lib/libzendat32.so' ]"
    for size in 16 24 32 48 64 128 256; do
        check "icon ${size}px" "[ -s '$root/share/icons/hicolor/${size}x${size}/apps/org.dovrin.Dovrin.png' ]"
    done
    check "scalable icon" "[ -s '$root/share/icons/hicolor/scalable/apps/org.dovrin.Dovrin.svg' ]"
    check "desktop entry valid" "desktop-file-validate '$root/share/applications/org.dovrin.Dovrin.desktop'"
    check "metainfo valid" "appstreamcli validate --no-net '$root/share/metainfo/org.dovrin.Dovrin.metainfo.xml' >/dev/null"
    check "installed programs run" "runs '$root/bin'"
    ;;
package)
    (cd "$build" && cpack -G DEB -B "$scratch/pkg" >/dev/null)
    deb=$(ls "$scratch"/pkg/dovrin_*.deb)
    check "package depends on Qt and the Arial-metric fonts" "dpkg-deb -f '$deb' Depends | grep libqt6widgets6 | grep -q fonts-liberation"
    # What `apt install ./dovrin_*.deb` would do, without doing it: every
    # dependency must be installed or installable from the machine's sources.
    check "apt can install the package" "apt-get install --simulate --no-install-recommends '$deb' >'$scratch/apt' 2>&1 && grep -q '^Inst dovrin ' '$scratch/apt' || { cat '$scratch/apt'; false; }"
    dpkg-deb -x "$deb" "$scratch/root"
    check "manual pages and copyright" "[ -s '$scratch/root/usr/share/man/man1/dovrin.1.gz' ] && [ -s '$scratch/root/usr/share/man/man1/dovrin-cli.1.gz' ] && [ -s '$scratch/root/usr/share/doc/dovrin/copyright' ]"
    check "engine in /usr/lib/dovrin" "[ -f '$scratch/root/usr/lib/dovrin/libzendat32.so' ]"
    check "unpacked programs run" "runs '$scratch/root/usr/bin'"
    check "binaries stripped" "! file '$scratch/root/usr/bin/dovrin' '$scratch/root/usr/bin/dovrin-cli' '$scratch/root/usr/lib/dovrin/libzendat32.so' | grep -q 'not stripped'"
    check "no ldconfig in maintainer scripts" "! dpkg-deb --ctrl-tarfile '$deb' | tar -xO 2>/dev/null | grep -q ldconfig"
    # Lintian speaks only of what it finds; any error or warning fails.
    check "lintian finds nothing" "lintian --fail-on error,warning '$deb' >'$scratch/lintian' 2>/dev/null; status=\$?; cat '$scratch/lintian'; [ \$status -eq 0 ] && [ ! -s '$scratch/lintian' ]"
    ;;
esac

[ "$failures" -eq 0 ]
