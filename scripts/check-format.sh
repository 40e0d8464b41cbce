#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of the tree is not formatted as .clang-format says.
# Reformat one with `clang-format -i FILE`.
set -euo pipefail
cd "$(dirname "$0")/.."

unformatted=()
while IFS= read -r -d '' file; do
  clang-format --dry-run --Werror "$file" 2>/dev/null || unformatted+=("$file")
done < <(git ls-files -z '*.cpp' '*.h')
if [[ ${#unformatted[@]} -gt 0 ]]; then
  echo "check-format: ${#unformatted[@]} files are not formatted as .clang-format says:" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
