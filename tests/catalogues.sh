#!/usr/bin/env bash
# The gettext catalogues of the desktop entry, the AppStream page and the manual are
# complete: copies of them are brought up to date with the English texts of the build, as
# `ninja update_translations` does, so that a text new in English counts as untranslated;
# then every language of LINGUAS must have both catalogues with every text translated and
# none fuzzy.
#   tests/catalogues.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1 build_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source_dir/translations" "$work/translations"
"$source_dir/translations/update-catalogues.sh" "$source_dir" "$build_dir" "$work/translations"

faults=0
for language in $(grep -v '^#' "$source_dir/translations/po/LINGUAS"); do
  for catalogue in po man; do
    copy=$work/translations/$catalogue/$language.po
    if [[ ! -f $copy ]]; then
      echo "$language: no catalogue translations/$catalogue/$language.po"
      faults=1
      continue
    fi
    statistics=$(msgfmt --check --statistics -o /dev/null "$copy" 2>&1)
    if [[ $statistics == *untranslated* || $statistics == *fuzzy* || $statistics == *error* ]]; then
      echo "$language: translations/$catalogue/$language.po: $statistics"
      faults=1
    fi
  done
done
exit $faults
