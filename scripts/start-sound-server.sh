#!/usr/bin/env bash
# Starts the desktop session's sound server, whose only device is the null sink ZUBBO_SINK,
# on the socket named by PULSE_SERVER (a unix: address in XDG_RUNTIME_DIR): a PulseAudio
# server, or with ZUBBO_SOUND_SERVER=pipewire PipeWire's PulseAudio service (pipewire-pulse)
# on the PipeWire daemon that scripts/desktop-session.sh runs, its sink loaded with pactl. It
# runs in the background, logging to ZUBBO_SOUND_SERVER_LOG, with its process id in the file
# ZUBBO_SOUND_SERVER_PID. The script returns once the server answers and its sink has
# rendered a first block, which a fresh PulseAudio null sink does only up to two seconds
# after it starts: until then nothing played reaches the sink's recorders.
# scripts/desktop-session.sh starts the first server with it, and a test that kills the server
# starts it again with the same script, which the session names in ZUBBO_START_SOUND_SERVER.
#   scripts/start-sound-server.sh
set -euo pipefail
: "${ZUBBO_SINK:?} ${PULSE_SERVER:?} ${ZUBBO_SOUND_SERVER_PID:?} ${ZUBBO_SOUND_SERVER_LOG:?}"
socket=${PULSE_SERVER#unix:}

case ${ZUBBO_SOUND_SERVER:-pulseaudio} in
  pulseaudio)
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit \
      --load="module-null-sink sink_name=$ZUBBO_SINK" \
      --load="module-native-protocol-unix auth-anonymous=1 socket=$socket" \
      </dev/null >>"$ZUBBO_SOUND_SERVER_LOG" 2>&1 &
    ;;
  pipewire)
    # pipewire-pulse listens on "native" in PULSE_RUNTIME_PATH.
    [[ $(basename "$socket") == native ]] || { echo "start-sound-server: $socket is no .../native" >&2; exit 2; }
    PULSE_RUNTIME_PATH=$(dirname "$socket") pipewire-pulse </dev/null >>"$ZUBBO_SOUND_SERVER_LOG" 2>&1 &
    ;;
  *) echo "start-sound-server: ZUBBO_SOUND_SERVER is pulseaudio or pipewire" >&2; exit 2 ;;
esac
echo $! >"$ZUBBO_SOUND_SERVER_PID"

# PipeWire's service starts without the sink: once the service answers, and is PipeWire's
# indeed, the sink is loaded and made the default device that the game plays to.
add_sink() {
  [[ ${ZUBBO_SOUND_SERVER:-pulseaudio} == pipewire ]] || return 0
  pactl info | grep -q '^Server Name: .*PipeWire' &&
    pactl load-module module-null-sink "sink_name=$ZUBBO_SINK" >/dev/null &&
    pactl set-default-sink "$ZUBBO_SINK"
}
renders() {
  [[ $(timeout 5 parec --device="$ZUBBO_SINK.monitor" --raw --latency-msec=5 2>/dev/null \
         | head -c 2 | wc -c) -eq 2 ]]
}
for _ in $(seq 200); do
  if pactl info >/dev/null 2>&1; then add_sink && renders && exit 0; break; fi
  kill -0 "$(cat "$ZUBBO_SOUND_SERVER_PID")" 2>/dev/null || break
  sleep 0.05
done
echo "start-sound-server: ${ZUBBO_SOUND_SERVER:-pulseaudio} did not come up" >&2
cat "$ZUBBO_SOUND_SERVER_LOG" >&2
exit 1
