#!/usr/bin/env bash
# Builds the test suite and the fuzz targets' corpus replay with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs them; any report
# ends the run with a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-sanitize}
flags="-O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DKELMARON_BUILD_BENCH=OFF -DKELMARON_BUILD_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build "$build"
# Leak reports are left out: the toolkit and the font library keep their
# caches to the end of the process by design.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure --timeout 300 -j2
