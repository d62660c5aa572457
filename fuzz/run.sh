#!/usr/bin/env bash
# Fuzzes the report-descriptor parser, then the readers of imported profile and macro files, each
# for a short while and each from a seed corpus (the descriptor test fixtures; the shipped factory
# profiles and a few macro files). Runs from the repository root; exits non-zero when a fuzzer
# finds a crash. FUZZ_SECONDS overrides the run time of each target (default 20).
#
# The fuzzers are part of a clang build configured with -DT640_BUILD_FUZZERS=ON, given as the only
# argument (default build-asan; scripts/test.sh configures it so); they are brought up to date here.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-asan}
if ! grep -qs '^T640_BUILD_FUZZERS:BOOL=ON' "$build/CMakeCache.txt"; then
  echo "fuzz: $build is not configured with clang and -DT640_BUILD_FUZZERS=ON" >&2
  exit 1
fi
echo "== fuzz: building the fuzzers in $build"
cmake --build "$build" --target report_descriptor_fuzzer import_readers_fuzzer write_seed_corpus

out=build-fuzz
mkdir -p "$out"
corpus="$out/corpus"
seeds="$out/seeds"
rm -rf "$seeds"
mkdir -p "$corpus" "$seeds"

ASAN_OPTIONS=detect_leaks=1 "$build/fuzz/write_seed_corpus" "$seeds"

echo "== fuzz: running for ${FUZZ_SECONDS:-20} s"
# The working corpus persists between runs and grows; the seeds are rewritten every time.
# libFuzzer exits non-zero on a crash, a sanitizer report or a leak, and set -e passes that on.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$build/fuzz/report_descriptor_fuzzer" -max_total_time="${FUZZ_SECONDS:-20}" -max_len=4096 \
  -artifact_prefix="$out/" -print_final_stats=1 "$corpus" "$seeds"

import_out="$out/import"
import_corpus="$import_out/corpus"
import_seeds="$import_out/seeds"
rm -rf "$import_seeds"
mkdir -p "$import_corpus" "$import_seeds"
cp DefaultData/*.Json DefaultData/*.config "$import_seeds/"
printf '%s' '{"MacroName":"m","Guid":"2026_01_17_09_05_03_042","Version":64,"Events":[{"Type":10,"Button":4,"Action":"down","Delay":"100"},{"Type":10,"Button":4,"Action":"up","Delay":70000}]}' \
  > "$import_seeds/macro.mac"
printf '%s' '{"MacroInfo":[{"MacroName":"macro_1","Guid":"2026_01_17_09_05_03_042"}]}' > "$import_seeds/macro.config"
printf '%s' '{"profilename":"P","profileUUID":"u","Device":[{"LightInfo":5,"KeyList":[1,{"Assignment":"x"}]}]}' \
  > "$import_seeds/odd_profile.json"

echo "== fuzz: running the import readers for ${FUZZ_SECONDS:-20} s"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$build/fuzz/import_readers_fuzzer" -max_total_time="${FUZZ_SECONDS:-20}" -max_len=65536 -timeout=10 \
  -artifact_prefix="$out/import-" -print_final_stats=1 "$import_corpus" "$import_seeds"
echo "== fuzz: no crash found"
