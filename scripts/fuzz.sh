#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz. TARGET is tablereader (the score table reader, the
# default) or wavereader (the cue file reader).
#
# Fuzzing: runs TARGET for SECONDS (default 600), starting from the seed files in
# tests/fuzz/corpus/TARGET, with the pieces of its files in tests/fuzz/TARGET.dict to combine.
# Inputs that reach new code are kept in build-fuzz/corpus/TARGET for the next run; an input
# that fails is saved in build-fuzz/ and the run ends with an error.
#   scripts/fuzz.sh [TARGET [SECONDS]]
# Replaying (./test.sh): runs every target once over each of its seed files, nothing more, so
# that a reader that now fails or hangs on one of them fails the suite.
#   scripts/fuzz.sh --replay
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(tablereader wavereader)

# The limits every run of a target keeps, fuzzing or replaying.
limits() {
  case $1 in
    tablereader) ;;
    # A cue file is at most 16 MiB, and nothing read from it may take more at once.
    wavereader) echo -malloc_limit_mb=64 ;;
  esac
  echo -timeout=10
}

build() {
  if ! command -v clang++ >/dev/null || ! compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null; then
    echo "fuzz: needs clang with libFuzzer: apt-get install clang libclang-rt-dev" >&2
    exit 1
  fi
  if [[ ! -f build-fuzz/build.ninja ]]; then
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DZUBBO_FUZZ=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
  fi
  cmake --build build-fuzz --target "${@/#/fuzz_}"
}

# Every input is written to a file; in memory that is several times faster.
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm

if [[ ${1:-} == --replay ]]; then
  build "${targets[@]}"
  for target in "${targets[@]}"; do
    # shellcheck disable=SC2046 # the limits are separate words
    "build-fuzz/bin/fuzz_$target" -runs=0 $(limits "$target") "tests/fuzz/corpus/$target"
  done
  exit 0
fi

target=${1:-tablereader}
seconds=${2:-600}
[[ " ${targets[*]} " == *" $target "* ]] ||
  { echo "fuzz: unknown target '$target': tablereader or wavereader" >&2; exit 2; }
build "$target"
mkdir -p "build-fuzz/corpus/$target"
# shellcheck disable=SC2046
"build-fuzz/bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
  $(limits "$target") -dict="tests/fuzz/$target.dict" -artifact_prefix=build-fuzz/ \
  "build-fuzz/corpus/$target" "tests/fuzz/corpus/$target"
