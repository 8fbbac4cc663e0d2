#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang's libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer in
# build-fuzz/, and runs each for SECONDS (60 unless given) on a copy of its seed corpus and its regressions.
#
#   scripts/fuzz.sh [--merge] [SECONDS] [TARGET...]
#
# TARGETs are cli_arguments, people_json and atlas_search (all unless named). An input that breaks a target is
# written to fuzz/crashes/<target>/ and the script fails once every target has run. To keep such an input as a
# test, move it to fuzz/regressions/<target>/ (replayed by ctest) once the fault is fixed. With --merge the inputs
# that reached new code are added to the seed corpus fuzz/corpus/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."

merge=0
seconds=60
targets=()
for argument in "$@"; do
  case "$argument" in
    --merge) merge=1 ;;
    -h|--help) sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *[!0-9]*) targets+=("$argument") ;;
    *) seconds="$argument" ;;
  esac
done
all_targets=(cli_arguments people_json atlas_search)
if [ ${#targets[@]} -eq 0 ]; then
  targets=("${all_targets[@]}")
fi
for target in "${targets[@]}"; do
  if [ ! -f "fuzz/$target.cpp" ]; then
    echo "fuzz.sh: no fuzz target '$target' (expected one of: ${all_targets[*]})" >&2
    exit 2
  fi
done

scripts/deps.sh

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
echo "== Fuzz build (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DKALVORA_FUZZ=ON -DKALVORA_GUI=OFF -DKALVORA_TESTS=OFF \
  -DKALVORA_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

# Leaks of the system's libraries are suppressed as in the sanitizer build of the tests.
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The targets' scratch folders (and whatever a crash leaves of them) stay inside the build folder.
export TMPDIR="$PWD/build-fuzz/tmp"
mkdir -p "$TMPDIR"

failed=()
summary=()
for target in "${targets[@]}"; do
  program="build-fuzz/fuzz/fuzz_$target"
  work="build-fuzz/corpus/$target"
  crashes="fuzz/crashes/$target"
  log="build-fuzz/logs/$target.log"
  rm -rf "$work"
  mkdir -p "$work" "$crashes" "$(dirname "$log")"
  for seeds in "fuzz/corpus/$target" "fuzz/regressions/$target"; do
    if [ -d "$seeds" ]; then
      find "$seeds" -type f -exec cp -t "$work" {} +
    fi
  done
  options=(-max_total_time="$seconds" -max_len=4096 -timeout=30 -rss_limit_mb=4096 -print_final_stats=1
           -artifact_prefix="$crashes/")
  if [ -f "fuzz/$target.dict" ]; then
    options+=(-dict="fuzz/$target.dict")
  fi
  echo "== Fuzzing $target for $seconds s (log: $log) =="
  status=0
  "$program" "${options[@]}" "$work" >"$log" 2>&1 || status=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  coverage="$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)"
  if [ "$status" -ne 0 ]; then
    failed+=("$target")
    summary+=("$target: FAILED (status $status) after ${runs:-?} runs, ${coverage:-no coverage}; inputs in $crashes/")
    echo "-- $target failed; the end of its log:" >&2
    tail -n 60 "$log" >&2
  else
    summary+=("$target: ${runs:-?} runs, ${coverage:-no coverage}, no fault")
  fi
  if [ "$merge" -eq 1 ] && [ "$status" -eq 0 ]; then
    "$program" -merge=1 -max_len=4096 -timeout=30 "fuzz/corpus/$target" "$work" >>"$log" 2>&1
    echo "-- merged: fuzz/corpus/$target holds $(find "fuzz/corpus/$target" -type f | wc -l) inputs"
  fi
  rmdir "$crashes" fuzz/crashes 2>/dev/null || true
done

echo "== Fuzzing summary =="
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz.sh: faults found in: ${failed[*]}" >&2
  exit 1
fi
