#!/usr/bin/env bash
# Fuzzes the report-descriptor parser, then the readers of imported profile and macro files, each
# for a short while and each from a seed corpus (the descriptor test fixtures; the shipped factory
# profiles and a few macro files). Runs from the repository root; exits non-zero when a fuzzer
# finds a crash. FUZZ_SECONDS overrides the run time of each target (default 20).
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

echo "== fuzz: building the import-readers fuzzer"
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
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I src \
  $(pkg-config --cflags jsoncpp) fuzz/import_readers_fuzzer.cpp \
  src/profiles/*.cpp src/profiles/storage/*.cpp src/profiles/records/*.cpp src/profiles/macros/*.cpp \
  src/profiles/settings/*.cpp src/platform/app_paths.cpp src/platform/program_folder.cpp \
  src/platform/debug_output.cpp src/platform/utf8_text.cpp $(pkg-config --libs jsoncpp) -o "$out/import_readers_fuzzer"

echo "== fuzz: running the import readers for ${FUZZ_SECONDS:-20} s"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$out/import_readers_fuzzer" -max_total_time="${FUZZ_SECONDS:-20}" -max_len=65536 -timeout=10 \
  -artifact_prefix="$out/import-" -print_final_stats=1 "$import_corpus" "$import_seeds"
echo "== fuzz: no crash found"
