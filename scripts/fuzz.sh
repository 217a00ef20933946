#!/usr/bin/env bash
# Fuzzes each target for the given seconds (default 60) with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer, starting from and adding
# to the kept corpus in fuzz/corpus/<target>. Crashing inputs land in
# build-fuzz/findings/<target>/.
#   scripts/fuzz.sh [seconds] [target ...]   targets: ElementFile Settings
#                                             Messier Constellation PromptText
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then targets=(ElementFile Settings Messier Constellation PromptText); fi
build=build-fuzz
flags="-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined,float-cast-overflow -fno-sanitize-recover=all"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_COMPILER=clang++ \
  -DKELMARON_BUILD_TESTS=OFF -DKELMARON_BUILD_BENCH=OFF -DKELMARON_BUILD_FUZZ=ON -DKELMARON_FUZZ_ENGINE=libfuzzer \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
for t in "${targets[@]}"; do cmake --build "$build" --target "fuzz_$t"; done
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for t in "${targets[@]}"; do
  mkdir -p "fuzz/corpus/$t" "$build/findings/$t"
  echo "== $t: $seconds s"
  # New interesting inputs go to a scratch folder; the kept corpus grows only
  # by what a merge finds new, so it stays small enough to replay in seconds.
  scratch="$build/new/$t"
  mkdir -p "$scratch"
  "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -artifact_prefix="$build/findings/$t/" -print_final_stats=1 "$scratch" "fuzz/corpus/$t" 2>&1 |
    grep -E "stat::number_of_executed_units|ERROR|SUMMARY|Done" || true
  "$build/fuzz/fuzz_$t" -merge=1 "fuzz/corpus/$t" "$scratch" >/dev/null 2>&1 || true
done
