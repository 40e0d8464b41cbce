# What the session scripts share, sourced by scripts/desktop-session.sh and
# scripts/wayland-session.sh: a folder of the session's own, the servers started in the
# background and stopped again in reverse order whenever the script ends, and a wait for each
# to come up.

# The programs of the session speak English, whatever the caller's locale: the tests look
# for the English captions, and a test of another language sets its own LANG.
export LANG=C.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES
session=$(mktemp -d "${TMPDIR:-/tmp}/zubbo-${session_kind:?}.XXXXXX")
pids=()

# Stops the servers, last started first, and removes the session's folder.
stop_servers() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$session"
}

# Waits up to ten seconds for a command to succeed. If it does not, names what it waited for,
# shows that server's log and ends the session.
#   wait_for WHAT LOG COMMAND [ARGS...]
wait_for() {
  local what=$1 log=$2; shift 2
  for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "$session_kind-session: $what did not come up" >&2
  cat "$log" >&2
  exit 1
}
