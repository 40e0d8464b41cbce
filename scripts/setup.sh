#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: installs the Debian packages that are missing,
# then configures and builds the given build folder, all of it or the one target named.
#   scripts/setup.sh BUILD_DIR [--target TARGET] [extra packages...] [-- cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

build=$1; shift
packages=(cmake ninja-build g++ pkgconf qt6-base-dev qt6-svg-dev qt6-qpa-plugins
          qt6-wayland qt6-l10n-tools qt6-tools-dev qt6-translations-l10n gettext po4a
          fonts-liberation2 libpulse-dev libsndfile1-dev libsamplerate0-dev ccache)
target=()
[[ ${1:-} == --target ]] && { target=(--target "$2"); shift 2; }
while [[ $# -gt 0 && $1 != -- ]]; do packages+=("$1"); shift; done
[[ ${1:-} == -- ]] && shift

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  echo "Installing ${missing[*]} ..."
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A build folder is configured when it is new, and again whenever cmake arguments are given,
# so that a folder made by one command builds with the settings of the next.
if [[ ! -f $build/build.ninja || $# -gt 0 ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
fi
cmake --build "$build" "${target[@]}"
