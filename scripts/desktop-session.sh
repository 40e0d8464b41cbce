#!/usr/bin/env bash
# Runs a command on a desktop of its own: an X server (Xvfb) on a free display, the openbox
# window manager and a sound server whose only device is a null sink: PulseAudio, or with
# ZUBBO_SOUND_SERVER=pipewire the PipeWire daemon with its session manager (wireplumber) and
# PulseAudio service (pipewire-pulse) on a session bus of their own. Everything is stopped
# again when the command ends, whether it passed, failed or was interrupted.
#   [ZUBBO_SOUND_SERVER=pipewire] scripts/desktop-session.sh COMMAND [ARGS...]
# The command finds DISPLAY, XDG_RUNTIME_DIR and PULSE_SERVER set, and in ZUBBO_SINK the
# name of the null sink, whose monitor source records what was played. The sound server's
# process id is in the file ZUBBO_SOUND_SERVER_PID; a command that kills it starts it again
# with ZUBBO_START_SOUND_SERVER (scripts/start-sound-server.sh), and whichever server runs at
# the end is stopped with the session. ./test.sh runs the desktop tests in it, bench/run.sh
# the benchmarks.
set -euo pipefail
[[ $# -gt 0 ]] || { echo "usage: $0 COMMAND [ARGS...]" >&2; exit 2; }

screen_size=1024x768x24
sink=zubbo_desktop

session_kind=desktop
source "$(dirname "$0")/session-common.sh"
stop_session() {
  # The sound server may have been started again by the command: it is no child of this
  # script, so it is stopped by its id and waited for apart from the others.
  if [[ -s $session/sound-server.pid ]]; then
    local server
    server=$(cat "$session/sound-server.pid")
    kill "$server" 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$server" 2>/dev/null || break; sleep 0.05; done
  fi
  stop_servers
}
trap stop_session EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display itself and writes its number once it accepts connections. It
# never resets, as it otherwise would whenever its last client leaves.
Xvfb -displayfd 3 -screen 0 "$screen_size" -nolisten tcp -noreset 3>"$session/display" \
  >"$session/xvfb.log" 2>&1 &
pids+=($!)
wait_for "Xvfb" "$session/xvfb.log" test -s "$session/display"
export DISPLAY=":$(cat "$session/display")"
unset WAYLAND_DISPLAY
# The window manager gives up at once if its first connection fails, so it starts only once
# the server has served a client; a server that never serves one is named with its log.
wait_for "Xvfb on $DISPLAY" "$session/xvfb.log" xprop -root

# xprop succeeds whether or not the property exists: look for its value.
root_has() { xprop -root -notype "$1" 2>/dev/null | grep -q "$2"; }
openbox --sm-disable >"$session/openbox.log" 2>&1 &
pids+=($!)
# openbox names its theme once its start-up is through, after announcing itself.
wait_for "openbox" "$session/openbox.log" root_has _OB_THEME '"'

export XDG_RUNTIME_DIR=$session/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Programs of another local user reach both servers, as the installed game's test runs it
# as nobody: the X server, started without an authorization file, takes every local client;
# the sound server's socket takes anyone and lies in a folder that others may pass through
# but not list, while the runtime folder stays private.
chmod 711 "$session"
mkdir -m 711 "$session/sound"
export PULSE_SERVER=unix:$session/sound/native
# The null sink is the only device: a sink named for the user's own server would not exist.
unset PULSE_SINK
export ZUBBO_SINK=$sink
export ZUBBO_SOUND_SERVER_PID=$session/sound-server.pid
export ZUBBO_SOUND_SERVER_LOG=$session/sound-server.log
export ZUBBO_START_SOUND_SERVER ZUBBO_SOUND_SERVER=${ZUBBO_SOUND_SERVER:-pulseaudio}
ZUBBO_START_SOUND_SERVER=$(cd "$(dirname "$0")" && pwd)/start-sound-server.sh
if [[ $ZUBBO_SOUND_SERVER == pipewire ]]; then
  # The PipeWire daemon and its session manager outlive a restart of the PulseAudio service,
  # as on a desktop. They find the session bus at $XDG_RUNTIME_DIR/bus, and keep what they
  # remember in the session's folder, not in the user's home.
  dbus-daemon --session --nofork --nopidfile --address="unix:path=$XDG_RUNTIME_DIR/bus" \
    >"$session/dbus.log" 2>&1 &
  pids+=($!)
  wait_for "the session bus" "$session/dbus.log" test -S "$XDG_RUNTIME_DIR/bus"
  pipewire >"$session/pipewire.log" 2>&1 &
  pids+=($!)
  wait_for "pipewire" "$session/pipewire.log" test -S "$XDG_RUNTIME_DIR/pipewire-0"
  XDG_STATE_HOME=$session/state wireplumber >"$session/wireplumber.log" 2>&1 &
  pids+=($!)
fi
"$ZUBBO_START_SOUND_SERVER"

"$@"
