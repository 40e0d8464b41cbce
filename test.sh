#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: the headless tests with the checks of the
# install and the package, then the desktop tests on a desktop session of their own (X
# server, window manager and PulseAudio), the installed game among them, their sound checks
# once more with PipeWire as the sound server, then the Wayland tests on a headless Wayland
# compositor. It checks the code's format first and ends with the fuzz targets' seed files.
set -euo pipefail
cd "$(dirname "$0")"
# The compiler cache, where installed, takes paths below the clone as relative: another clone
# of the same code finds what this one compiled. It caches the files built on a precompiled
# header only when told that the header's macros and time stamps may be taken as they are.
export CCACHE_BASEDIR=$PWD CCACHE_SLOPPINESS=pch_defines,time_macros

desktop_packages=(xvfb openbox pulseaudio pulseaudio-utils x11-utils
                  libx11-dev libxtst-dev libxfixes-dev at-spi2-core dbus)
pipewire_packages=(pipewire pipewire-pulse wireplumber dbus)
wayland_packages=(sway wayvnc grim wtype python3-minimal)
packaging_tools=(dpkg-dev file lintian desktop-file-utils appstream)
code_tools=(clang-format clang libclang-rt-dev)
# The test builds make every compiler warning an error; a player's build (./run.sh on a new
# clone) does not, so that a newer compiler never stops it.
werror=-DCMAKE_COMPILE_WARNING_AS_ERROR=ON
scripts/setup.sh build "${desktop_packages[@]}" "${pipewire_packages[@]}" "${wayland_packages[@]}" \
  "${packaging_tools[@]}" "${code_tools[@]}" -- "$werror"
scripts/check-format.sh

# The sanitizer build and the fuzz targets build meanwhile, at the lowest priority: the desktop
# tests mostly wait on real rounds and real sound, and they keep the processor when they need
# it. The fuzz targets, built with clang, then run once over their seed files: a reader that
# now fails or hangs on one of them fails here, not only in a fuzzing run.
# They run in a session of their own, ended with the script however it ends (if they have not
# ended by then). A new session is a new scheduling group where the kernel groups by session,
# and a group's share of the processor ignores the nice values inside it, so the group itself
# is set to the lowest priority: otherwise the builds take half the processor from the
# desktop tests' real rounds.
background=$(mktemp -d)
setsid nice -n 19 bash -c 'echo 19 2>/dev/null >/proc/self/autogroup
  scripts/setup.sh build-asan --target zubbo_tests -- "$@" && scripts/fuzz.sh --replay' \
  builds "$werror" -DCMAKE_BUILD_TYPE=Debug -DZUBBO_SANITIZE=ON -DZUBBO_HEADLESS_ONLY=ON \
  >"$background/builds" 2>&1 &
builds=$!
trap 'kill -- -$builds 2>/dev/null || true; rm -rf "$background"' EXIT

ctest --test-dir build --output-on-failure --parallel 2 --label-exclude 'desktop|wayland'

# The desktop tests spend most of their time waiting on real rounds and real sound, so they
# run as two streams side by side, each test on desktop and sound servers of its own: the
# longest suite, then Wayland, beside the others on X11, then the sound checks on PipeWire.
# Each stream's output shows once both have ended.
desktop_tests=(ctest --test-dir build --output-on-failure --no-tests=error)
(scripts/desktop-session.sh "${desktop_tests[@]}" -R '^tst_desktop$' \
  && scripts/wayland-session.sh "${desktop_tests[@]}" --label-regex wayland) >"$background/1" 2>&1 &
first=$!
(scripts/desktop-session.sh "${desktop_tests[@]}" --label-regex desktop --label-exclude pipewire \
   -E '^tst_desktop$' \
  && ZUBBO_SOUND_SERVER=pipewire scripts/desktop-session.sh "${desktop_tests[@]}" --label-regex pipewire) \
  >"$background/2" 2>&1 &
second=$!
passed=true
wait "$first" || passed=false
wait "$second" || passed=false
cat "$background/1" "$background/2"
$passed

# The headless tests once more, built with AddressSanitizer and UndefinedBehaviorSanitizer;
# any report fails its test.
built=true
wait "$builds" || built=false
cat "$background/builds"
$built
ASAN_OPTIONS=halt_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure --parallel 2 --label-exclude 'desktop|wayland|install'
