#!/usr/bin/env bash
# Builds the table reader's fuzz target with clang (libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs it for SECONDS (default 600), starting
# from the seed files in tests/fuzz/corpus, with the pieces of table files in
# tests/fuzz/tablereader.dict to combine. Inputs that reach new code are kept in
# build-fuzz/corpus for the next run; an input that fails is saved in build-fuzz/ and the
# run ends with an error.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}

if ! command -v clang++ >/dev/null || ! compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null; then
  echo "fuzz: needs clang with libFuzzer: apt-get install clang libclang-rt-dev" >&2
  exit 1
fi
if [[ ! -f build-fuzz/build.ninja ]]; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DZUBBO_FUZZ=ON >/dev/null
fi
cmake --build build-fuzz --target fuzz_tablereader
mkdir -p build-fuzz/corpus
# Every input is written back as a table file; in memory that is several times faster.
[[ -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm
build-fuzz/bin/fuzz_tablereader -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
  -dict=tests/fuzz/tablereader.dict -artifact_prefix=build-fuzz/ build-fuzz/corpus tests/fuzz/corpus
