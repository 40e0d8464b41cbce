#!/usr/bin/env bash
# Makes the README's picture of the board in play, docs/screenshot.png, from the game
# itself: builds it, starts it on a desktop session of its own, chooses Start and takes the
# window a few pops into the round.
#   scripts/screenshot.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build xvfb openbox pulseaudio pulseaudio-utils x11-utils xdotool imagemagick

# Get Ready lasts 3.3 seconds in the first round; then the eyes pop once a second on Easy.
into_the_round=6

shoot() {
  local window
  build/bin/zubbo &
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zubbo!$' | head -n 1)
  # The first item of the menu bar is Start. The pointer rests on it before and after the
  # click, as a person's does, and then leaves the window.
  xdotool mousemove --window "$window" 20 10 sleep 0.3 click 1 sleep 0.3 mousemove 0 0
  sleep "$into_the_round"
  mkdir -p docs
  import -window "$window" docs/screenshot.png
  kill %1
}
export -f shoot
export into_the_round
scripts/desktop-session.sh bash -c shoot
echo "saved docs/screenshot.png"
