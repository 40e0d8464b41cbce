#!/usr/bin/env bash
# Brings the gettext catalogues of a translations folder up to date with the English texts:
# po/ with the configured desktop entry and AppStream page of a build (the entry's Name
# stays the game's name everywhere), man/ with the manual's template. New texts come in
# untranslated, changed ones fuzzy. `ninja update_translations` runs it on translations/;
# the check of the catalogues on copies.
#   translations/update-catalogues.sh SOURCE_DIR BUILD_DIR [TRANSLATIONS_DIR]
set -euo pipefail
source_dir=$(realpath "$1") build_dir=$(realpath "$2")
translations=$(realpath "${3:-$source_dir/translations}")
english=$build_dir/packaging/english

template=$(mktemp --suffix=.pot)
trap 'rm -f "$template"' EXIT
xgettext --from-code=UTF-8 --package-name=zubbo --no-location -k -kGenericName -kComment \
  -kKeywords -o "$template" "$english"/*.desktop "$english"/*.metainfo.xml
for language in $(grep -v '^#' "$translations/po/LINGUAS"); do
  catalogue=$translations/po/$language.po
  [[ -f $catalogue ]] && msgmerge --quiet --update --backup=none --no-location "$catalogue" "$template"
done
# The paths of po4a.cfg start at the folder that holds the translations folder.
(cd "$translations/.." && po4a --no-translations --srcdir "$source_dir" \
  "$(basename "$translations")/man/po4a.cfg" >/dev/null)
