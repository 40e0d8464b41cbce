#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of the tree is not formatted as .clang-format says;
# the style gives the same verdict with clang-format 14 (Debian 12) and 19 (Debian 13).
# Reformat one with `clang-format -i FILE`. It fails too, saying why, when it cannot list the
# files or finds no clang-format: a check that checked nothing must not pass.
set -euo pipefail
cd "$(dirname "$0")/.."

command -v clang-format >/dev/null || { echo "check-format: no clang-format installed" >&2; exit 1; }
list=$(mktemp)
trap 'rm -f "$list"' EXIT
git ls-files -z '*.cpp' '*.h' >"$list" || { echo "check-format: git cannot list the files" >&2; exit 1; }
[[ -s $list ]] || { echo "check-format: git lists no C++ file" >&2; exit 1; }

checked=0
unformatted=()
while IFS= read -r -d '' file; do
  checked=$((checked + 1))
  clang-format --dry-run --Werror "$file" 2>/dev/null || unformatted+=("$file")
done <"$list"
if [[ ${#unformatted[@]} -gt 0 ]]; then
  echo "check-format: ${#unformatted[@]} of $checked files are not formatted as .clang-format says:" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "check-format: $checked files formatted as .clang-format says ($(clang-format --version | grep -o 'version [0-9.]*'))"
