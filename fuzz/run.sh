#!/usr/bin/env bash
# Fuzzes the report-descriptor parser for a short while, starting from a seed corpus made of the
# test fixtures. Runs from the repository root; exits non-zero when the fuzzer finds a crash.
# FUZZ_SECONDS overrides the run time (default 20).
set -euo pipefail
cd "$(dirname "$0")/.."

out=build-fuzz
mkdir -p "$out"
corpus="$out/corpus"
seeds="$out/seeds"
rm -rf "$seeds"
mkdir -p "$corpus" "$seeds"

echo "== fuzz: building the report-descriptor fuzzer"
clang++ -std=c++20 -g -O1 -I src -I tests fuzz/write_seed_corpus.cpp -o "$out/write_seed_corpus"
"$out/write_seed_corpus" "$seeds"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I src \
  fuzz/report_descriptor_fuzzer.cpp src/platform/hid/report_descriptor.cpp -o "$out/report_descriptor_fuzzer"

echo "== fuzz: running for ${FUZZ_SECONDS:-20} s"
# The working corpus persists between runs and grows; the seeds are rewritten every time.
# libFuzzer exits non-zero on a crash, a sanitizer report or a leak, and set -e passes that on.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$out/report_descriptor_fuzzer" -max_total_time="${FUZZ_SECONDS:-20}" -max_len=4096 \
  -artifact_prefix="$out/" -print_final_stats=1 "$corpus" "$seeds"
echo "== fuzz: no crash found"
