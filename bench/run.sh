#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs each of them several times on a desktop of their
# own (scripts/desktop-session.sh: Xvfb with openbox and a PulseAudio null sink), then prints
# one table: every figure's median, minimum and maximum over the runs, beside its goal. Takes
# about five minutes. See bench/README.md for what each figure means.
#   bench/run.sh [BUILD_DIR]      (default: build-bench)
# The benchmarks' own notes (idle wake-ups per thread, clock drift) go to BUILD_DIR/bench.log.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-bench}
startup_runs=10
hit_runs=3
sound_runs=3
beat_runs=3

# The desktop session names its sound sink in ZUBBO_SINK; until there is one, set up and
# build, then run this script again inside a session.
if [[ -z ${ZUBBO_SINK:-} ]]; then
  scripts/setup.sh "$build" xvfb openbox x11-utils pulseaudio pulseaudio-utils xdotool >/dev/null
  exec scripts/desktop-session.sh bench/run.sh "$build"
fi

export QT_QPA_PLATFORM=xcb
bin=$build/bin
log=$build/bench.log
: >"$log"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

figures=$work/figures
# Runs one benchmark; its figures are kept, its notes logged, a failure reported.
run() {
  "$@" 2>>"$log" | tee -a "$figures" || echo "bench: $* failed, see $log" >&2
}
value() { grep -F "$1|" "$2" | head -n 1 | cut -d'|' -f2; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a != "" && b > 0) printf "%.3f", a / b }'; }
difference() { awk -v a="$1" -v b="$2" 'BEGIN { if (a != "" && b != "") printf "%.3f", a - b }'; }

echo "Start-up ($startup_runs runs) ..." >&2
for _ in $(seq "$startup_runs"); do
  ZUBBO_LAUNCHED_AT=$EPOCHREALTIME run "$bin/bench_baseline" >"$work/baseline"
  ZUBBO_LAUNCHED_AT=$EPOCHREALTIME run "$bin/bench_startup" >"$work/game"
  r=$(ratio "$(value 'Start-up, game: launch to first frame (ms)' "$work/game")" \
            "$(value 'Start-up, baseline: launch to first frame (ms)' "$work/baseline")")
  [[ -n $r ]] && echo "Start-up, game / baseline: launch to first frame|$r|< 1.1" >>"$figures"
  m=$(difference "$(value 'Start-up, game: peak memory (MB)' "$work/game")" \
                 "$(value 'Start-up, baseline: peak memory (MB)' "$work/baseline")")
  [[ -n $m ]] && echo "Start-up, game - baseline: peak memory (MB)|$m|< 4" >>"$figures"
done

# The hit benchmark moves the real pointer and the sound benchmark records everything
# the sound server plays: both run alone.
echo "Hit latency ($hit_runs runs) ..." >&2
for _ in $(seq "$hit_runs"); do run "$bin/bench_hit" >/dev/null; done
echo "Sound ($sound_runs runs) ..." >&2
for _ in $(seq "$sound_runs"); do run "$bin/bench_sound" >/dev/null; done

# The beat runs only read their own clocks: they run side by side, each game in its own
# process and window.
echo "The beat at each level ($beat_runs runs side by side) ..." >&2
levels=(Easy Medium Hard)
beats=()
for r in $(seq "$beat_runs"); do
  for level in 1 2 3; do
    for timer in precise coarse; do
      "$bin/bench_beat" "$level" "$timer" >"$work/beat-$r-$level-$timer" 2>>"$log" &
      beats+=($!)
    done
  done
done
for p in "${beats[@]}"; do wait "$p" || echo "bench: a beat run failed, see $log" >&2; done
for level in 1 2 3; do
  for timer in precise coarse; do cat "$work"/beat-*-"$level-$timer"; done
done | tee -a "$figures" >/dev/null
for r in $(seq "$beat_runs"); do
  for level in 1 2 3; do
    name=${levels[level - 1]}
    for stat in mean worst; do
      x=$(ratio "$(grep -F ", $stat (ms)|" "$work/beat-$r-$level-coarse" | cut -d'|' -f2)" \
                "$(grep -F ", $stat (ms)|" "$work/beat-$r-$level-precise" | cut -d'|' -f2)")
      [[ -n $x ]] && echo "Beat, $name: coarse timer's $stat error / game's|$x|>= 10" >>"$figures"
    done
  done
done

# The round runs alone, so that no other window's events wake it while it idles; then the
# least program with the same beat, as the yardstick of its CPU share.
echo "A full round and the beat baseline ..." >&2
run "$bin/bench_round" >"$work/round"
run "$bin/bench_beatbaseline" >"$work/beatbaseline"
c=$(ratio "$(value 'Round: CPU share of one core (%)' "$work/round")" \
          "$(value 'Beat baseline: CPU share of one core (%)' "$work/beatbaseline")")
[[ -n $c ]] && echo "Round: CPU share / beat baseline's|$c|< 3" >>"$figures"

echo
awk -F'|' '
  !($1 in count) { order[++figures] = $1; goal[$1] = $3 }
  { values[$1, ++count[$1]] = $2 }
  END {
    printf "| %-62s | %8s | %8s | %8s | %-6s |\n", "Figure", "Median", "Min", "Max", "Goal"
    rule = "----------------------------------------------------------------"
    printf "|%s|---------:|---------:|---------:|--------|\n", rule
    for (f = 1; f <= figures; ++f) {
      name = order[f]; n = count[name]
      for (i = 1; i <= n; ++i) v[i] = values[name, i] + 0
      for (i = 2; i <= n; ++i)
        for (j = i; j > 1 && v[j - 1] > v[j]; --j) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
      median = n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
      printf "| %-62s | %8.2f | %8.2f | %8.2f | %-6s |\n", name, median, v[1], v[n], goal[name]
    }
  }' "$figures"
