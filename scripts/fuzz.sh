#!/usr/bin/env bash
# Builds a fuzz target with clang (libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs it for SECONDS (default 600), starting
# from the seed files in tests/fuzz/corpus/TARGET, with the pieces of its files in
# tests/fuzz/TARGET.dict to combine. TARGET is tablereader (the score table reader, the
# default) or wavereader (the cue file reader). Inputs that reach new code are kept in
# build-fuzz/corpus/TARGET for the next run; an input that fails is saved in build-fuzz/ and
# the run ends with an error.
#   scripts/fuzz.sh [TARGET [SECONDS]]
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:-tablereader}
seconds=${2:-600}

case $target in
  tablereader) limits=() ;;
  # A cue file is at most 16 MiB, and nothing read from it may take more at once.
  wavereader) limits=(-malloc_limit_mb=64) ;;
  *) echo "fuzz: unknown target '$target': tablereader or wavereader" >&2; exit 2 ;;
esac

if ! command -v clang++ >/dev/null || ! compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null; then
  echo "fuzz: needs clang with libFuzzer: apt-get install clang libclang-rt-dev" >&2
  exit 1
fi
if [[ ! -f build-fuzz/build.ninja ]]; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DZUBBO_FUZZ=ON >/dev/null
fi
cmake --build build-fuzz --target "fuzz_$target"
mkdir -p "build-fuzz/corpus/$target"
# Every input is written to a file; in memory that is several times faster.
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm
"build-fuzz/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
  "${limits[@]}" -dict="tests/fuzz/$target.dict" -artifact_prefix=build-fuzz/ \
  "build-fuzz/corpus/$target" "tests/fuzz/corpus/$target"
