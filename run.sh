#!/usr/bin/env bash
# Sets up, builds and starts the game.
set -euo pipefail
cd "$(dirname "$0")"
# The compiler cache, where installed, takes paths below the clone as relative: another clone
# of the same code finds what this one compiled. It caches the files built on a precompiled
# header only when told that the header's macros and time stamps may be taken as they are.
export CCACHE_BASEDIR=$PWD CCACHE_SLOPPINESS=pch_defines,time_macros
scripts/setup.sh build
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "zubbo: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a desktop session." >&2
  exit 1
fi
exec build/bin/zubbo
