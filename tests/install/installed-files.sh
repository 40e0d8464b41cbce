#!/usr/bin/env bash
# Installs the build into a folder of its own, as the package does (prefix /usr), and checks
# that exactly the game's files arrive there: the program, its sound module and wave cues,
# the desktop entry and the metadata with their translations, the icons at every size, the
# manual page in English and in the game's languages, the copyright file with the licence
# and the changelog.
#   installed-files.sh BUILD_DIR LIBDIR
set -euo pipefail
build=$1
libdir=$2
destdir=$(mktemp -d)
trap 'rm -rf "$destdir"' EXIT

DESTDIR=$destdir cmake --install "$build" --prefix /usr >/dev/null

id=com.example.Zubbo
expected=(
  usr/games/zubbo
  "usr/$libdir/zubbo/zubbo_soundoutput.so"
  usr/share/zubbo/Up.wav usr/share/zubbo/Hit.wav usr/share/zubbo/End.wav
  "usr/share/applications/$id.desktop"
  "usr/share/metainfo/$id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
  usr/share/man/man6/zubbo.6.gz
  usr/share/doc/zubbo/copyright usr/share/doc/zubbo/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
languages=(de fr es it pt_BR nl pl ru)
for language in "${languages[@]}"; do
  expected+=("usr/share/man/$language/man6/zubbo.6.gz")
done

failed=0
fail() { echo "FAIL: $*"; failed=1; }

if ! diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$destdir" && find . -type f -printf '%P\n' | sort); then
  fail "the installed files differ from the list above (< expected, > installed)"
fi
[[ -x $destdir/usr/games/zubbo ]] || fail "the program is not executable"
for size in 16 22 24 32 48 64 128 256; do
  icon=$destdir/usr/share/icons/hicolor/${size}x${size}/apps/$id.png
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  read -r -a b < <(od -An -tu1 -j16 -N8 "$icon")
  (( (b[0] << 24 | b[1] << 16 | b[2] << 8 | b[3]) == size &&
     (b[4] << 24 | b[5] << 16 | b[6] << 8 | b[7]) == size )) ||
    fail "the ${size}x${size} icon is not $size pixels square"
done
grep -q '^License: Expat$' "$destdir/usr/share/doc/zubbo/copyright" &&
  grep -q 'Permission is hereby granted' "$destdir/usr/share/doc/zubbo/copyright" ||
  fail "the copyright file does not carry the licence"
zcat "$destdir/usr/share/man/man6/zubbo.6.gz" | grep -q '^\.TH ZUBBO 6 ' ||
  fail "the manual page is not a section 6 page"
for language in "${languages[@]}"; do
  grep -q "^Comment\[$language\]=" "$destdir/usr/share/applications/$id.desktop" ||
    fail "the desktop entry has no comment in $language"
  # gettext 0.23 writes the language as a BCP 47 tag (pt-BR), 0.21 as a locale name (pt_BR).
  grep -q "<summary xml:lang=\"\(${language/_/-}\|$language\)\">" "$destdir/usr/share/metainfo/$id.metainfo.xml" ||
    fail "the metadata has no summary in $language"
  zcat "$destdir/usr/share/man/$language/man6/zubbo.6.gz" | grep -q '^\.TH ZUBBO 6 ' ||
    fail "the $language manual page is not a section 6 page"
done
zcat "$destdir/usr/share/doc/zubbo/changelog.gz" | head -1 | grep -q '^zubbo (' ||
  fail "the changelog is not Debian's format"
exit $failed
