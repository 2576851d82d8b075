#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs every test there. Any sanitizer report fails its test.
# Leaks inside libraries that are not ours may be suppressed by name in
# tests/sanitizer/lsan.supp; our own code never is.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
# The test programs run at build time too (to list their tests), so the
# options hold for the build as well.
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
CXX=g++ cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DCMAKE_CXX_FLAGS="$sanitize" >/dev/null
cmake --build build-asan -j"${JOBS:-2}"
ctest --test-dir build-asan --output-on-failure -j"${JOBS:-2}"
