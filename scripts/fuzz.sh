#!/usr/bin/env bash
# Fuzzes the pattern-file reader for a bounded time (FUZZ_SECONDS, default
# 60) with the save-and-reopen check, under AddressSanitizer and
# UndefinedBehaviorSanitizer. Builds with clang in build-fuzz/ and works on a
# copy of the seed corpus, so nothing is written into the tree. Exits
# non-zero on any finding; the input that found it is left in
# build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
seconds=${FUZZ_SECONDS:-60}
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCMAKE_CXX_FLAGS="$sanitize -fsanitize=fuzzer-no-link" >/dev/null
cmake --build build-fuzz -j"${JOBS:-2}" --target pattern_file_fuzz

work=$(mktemp -d /dev/shm/tessary-fuzz.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf build-fuzz/findings
mkdir -p "$work/corpus" "$work/tmp" build-fuzz/findings
cp fuzz/seeds/* "$work/corpus/"
# The reader's temporary pictures and the saved files go to memory, not disk.
export TMPDIR=$work/tmp
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
set +e
build-fuzz/fuzz/pattern_file_fuzz -max_total_time="$seconds" -print_final_stats=1 \
  -max_len=8192 -timeout=10 -rss_limit_mb=2048 -artifact_prefix=build-fuzz/findings/ "$work/corpus" \
  2>&1 | tee "$work/log" | grep -E '^#[0-9]+[[:space:]]+(INITED|DONE|pulse)|^stat::|round trip:|SUMMARY|Test unit written'
status=${PIPESTATUS[0]}
set -e
if [ "$status" -ne 0 ]; then
  # The report from its first line on: what differed, or the sanitizer's
  # error, and the stack.
  awk '/round trip:|==[0-9]+==ERROR|runtime error:/ { on = 1 } on' "$work/log" | grep -v '^stat::' | head -n 80
  echo "fuzzing found a fault (exit $status); reproducer in build-fuzz/findings/" >&2
  exit 1
fi
