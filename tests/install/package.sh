#!/usr/bin/env bash
# Builds the Debian package in the build folder and checks it: lintian --pedantic finds no
# error and no warning (its other notes are printed), the control fields name the section,
# the run-time needs that no library reveals, the recommended Wayland platform and Qt's own
# translations, and the program lies in /usr/games with its manual pages compressed.
#   package.sh BUILD_DIR
set -euo pipefail
build=$1

rm -f "$build"/zubbo_*.deb
cmake --build "$build" --target package >/dev/null
debs=("$build"/zubbo_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "FAIL: no package zubbo_*.deb in $build"; exit 1; }
deb=${debs[0]}
echo "package: $deb"

failed=0
fail() { echo "FAIL: $*"; failed=1; }

report=$(lintian --pedantic --display-info --display-experimental "$deb" 2>&1 | grep -v 'running with root privileges' || true)
echo "lintian --pedantic:"
echo "${report:-(nothing)}"
grep -qE '^[EW]: ' <<<"$report" && fail "lintian reports errors or warnings"

field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == zubbo ]] || fail "Package is $(field Package)"
[[ $(field Section) == games ]] || fail "Section is $(field Section)"
# Each needed package, alone or as one of alternatives; the Liberation fonts in either name.
for need in qt6-qpa-plugins 'fonts-liberation (>= 1:2) | fonts-liberation2' libqt6widgets6 libpulse0 \
            libsndfile1 libsamplerate0; do
  [[ ", $(field Depends)," == *", $need"[\ ,]* ]] || fail "Depends lacks $need: $(field Depends)"
done
[[ $(field Recommends) == "qt6-wayland, qt6-translations-l10n" ]] ||
  fail "Recommends is $(field Recommends)"

contents=$(dpkg-deb --contents "$deb")
for file in ./usr/games/zubbo ./usr/share/man/man6/zubbo.6.gz ./usr/share/man/de/man6/zubbo.6.gz \
            ./usr/share/doc/zubbo/changelog.gz \
            ./usr/share/doc/zubbo/copyright; do
  grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done
exit $failed
