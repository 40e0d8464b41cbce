#!/usr/bin/env bash
# Runs a command on a Wayland desktop of its own: a headless sway compositor whose one output
# shows 1024 x 768 logical pixels, with a virtual pointer and keyboard on its seat (wayvnc on
# a Unix socket, kept connected to by scripts/vnc-client.py). Everything is stopped again
# when the command ends.
#   scripts/wayland-session.sh COMMAND [ARGS...]
# The command finds WAYLAND_DISPLAY, XDG_RUNTIME_DIR and SWAYSOCK set, and in ZUBBO_OUTPUT the
# output's name: `swaymsg` moves and presses the pointer and sets the output's scale, `wtype`
# types and `grim` takes screenshots, in which the compositor draws the pointer. sway refuses
# to run as root: called by root, the compositor runs as nobody, and the command, still
# root, reaches the compositor's sockets. The game's windows float, as on a stacking desktop,
# instead of being tiled. ./test.sh runs the Wayland tests in it.
set -euo pipefail
[[ $# -gt 0 ]] || { echo "usage: $0 COMMAND [ARGS...]" >&2; exit 2; }

output=HEADLESS-1
output_size=1024x768
app_id=com.example.Zubbo

session_kind=wayland
source "$(dirname "$0")/session-common.sh"
trap stop_servers EXIT
trap 'exit 130' INT TERM

# The compositor's runtime folder holds its sockets; the command gets a runtime folder of its
# own, since programs refuse one that is not theirs (the sound library, for one).
compositor_runtime=$session/compositor
mkdir -m 700 "$compositor_runtime" "$session/runtime"
as_compositor_user=()
if [[ $(id -u) -eq 0 ]]; then
  as_compositor_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
  chmod 711 "$session"
  chown nobody:nogroup "$compositor_runtime"
fi

cat >"$session/config" <<EOF
xwayland disable
output $output resolution $output_size scale 1
for_window [app_id="$app_id"] floating enable
EOF
chmod 644 "$session/config"

XDG_RUNTIME_DIR=$compositor_runtime WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
  WLR_RENDERER=pixman HOME=$session "${as_compositor_user[@]}" sway --config "$session/config" >"$session/sway.log" 2>&1 &
pids+=($!)
# sway names its sockets itself: the display's (wayland-N) and the one for swaymsg. Clients
# take the display's by its full path.
display_socket() { find "$compositor_runtime" -name 'wayland-[0-9]*' ! -name '*.lock'; }
sway_socket() { find "$compositor_runtime" -name 'sway-ipc.*.sock'; }
has_sockets() { [[ -n $(display_socket) && -n $(sway_socket) ]]; }
wait_for "sway" "$session/sway.log" has_sockets
WAYLAND_DISPLAY=$(display_socket)
SWAYSOCK=$(sway_socket)
export WAYLAND_DISPLAY SWAYSOCK
wait_for "sway's output" "$session/sway.log" swaymsg -t get_outputs

XDG_RUNTIME_DIR=$compositor_runtime HOME=$session \
  "${as_compositor_user[@]}" wayvnc --unix-socket "$compositor_runtime/vnc.sock" \
  >"$session/wayvnc.log" 2>&1 &
pids+=($!)
wait_for "wayvnc's socket" "$session/wayvnc.log" test -S "$compositor_runtime/vnc.sock"
# wayvnc 0.9 puts its pointer and keyboard on the seat only while a VNC client is connected
# (wayvnc 0.5 from its start): a client of the session's own stays connected throughout.
# Its complaints go to wayvnc's log, which a failed wait shows.
"$(dirname "$0")/vnc-client.py" "$compositor_runtime/vnc.sock" >>"$session/wayvnc.log" 2>&1 &
pids+=($!)
seat_has_pointer() { swaymsg -t get_seats | grep -q '"type": "pointer"'; }
seat_has_keyboard() { swaymsg -t get_seats | grep -q '"type": "keyboard"'; }
wait_for "wayvnc's pointer" "$session/wayvnc.log" seat_has_pointer
wait_for "wayvnc's keyboard" "$session/wayvnc.log" seat_has_keyboard

export XDG_RUNTIME_DIR=$session/runtime ZUBBO_OUTPUT=$output
unset DISPLAY
"$@"
