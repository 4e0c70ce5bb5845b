#!/usr/bin/env bash
# Runs every libFuzzer harness (tests/**/fuzz/*_fuzz.cpp) to a number of executions, one
# after another at the lowest priority, each with its corpus in a folder outside the
# repository, and prints a table: harness, executions, seconds, crashes.
#
#   tests/faults/fuzz_all.sh [-n RUNS] [-c CORPUS] [-b BUILD] [-t SECONDS] [-l BYTES] [HARNESS...]
#
#   -n RUNS     executions per harness (default 10000000)
#   -c CORPUS   corpus folder, one subfolder per harness (default /tmp/veltrane-fuzz);
#               crashing inputs go to CORPUS/NAME-crashes/
#   -b BUILD    the fuzz build folder (default build-fuzz; configured and built when needed)
#   -t SECONDS  at most this long per harness (default: no limit)
#   -l BYTES    the longest input (default 4096; shorter inputs run faster)
#   HARNESS     only these harnesses (ban_list_fuzz ...); default: all of them
#
# A harness's dictionary is NAME.dict beside it (NAME without "_fuzz"), or the one .dict
# file of its folder.
set -euo pipefail
repo="$(cd "$(dirname "$0")/../.." && pwd)"
runs=10000000
corpus=/tmp/veltrane-fuzz
build="$repo/build-fuzz"
seconds=0
max_len=4096
while getopts "n:c:b:t:l:" option; do
  case "$option" in
    n) runs="$OPTARG" ;;
    c) corpus="$OPTARG" ;;
    b) build="$OPTARG" ;;
    t) seconds="$OPTARG" ;;
    l) max_len="$OPTARG" ;;
    *) sed -n '2,18p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$repo" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DVELTRANE_FUZZ=ON > /dev/null
fi
nice -n 19 cmake --build "$build" -j"$(nproc)" > /dev/null

mapfile -t sources < <(cd "$repo" && find tests -path '*/fuzz/*_fuzz.cpp' | sort)
mkdir -p "$corpus"
results=()
for source in "${sources[@]}"; do
  name="$(basename "$source" .cpp)"
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
  folder="$repo/$(dirname "$source")"
  dict=()
  if [ -f "$folder/${name%_fuzz}.dict" ]; then
    dict=(-dict="$folder/${name%_fuzz}.dict")
  elif [ "$(find "$folder" -maxdepth 1 -name '*.dict' | wc -l)" -eq 1 ]; then
    dict=(-dict="$(find "$folder" -maxdepth 1 -name '*.dict')")
  fi
  mkdir -p "$corpus/$name" "$corpus/$name-crashes"
  log="$corpus/$name.log"
  start=$(date +%s)
  status=0
  nice -n 19 "$build/$name" -runs="$runs" -max_total_time="$seconds" -max_len="$max_len" -print_final_stats=1 \
    "${dict[@]}" -artifact_prefix="$corpus/$name-crashes/" "$corpus/$name" > "$log" 2>&1 || status=$?
  took=$(( $(date +%s) - start ))
  # The final statistics give the executions; a run that stopped at a crash, its last status line.
  done_runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
  [ -n "$done_runs" ] || done_runs="$(sed -n 's/^#\([0-9]*\).*/\1/p' "$log" | tail -1)"
  crashes="$(find "$corpus/$name-crashes" -type f | wc -l)"
  results+=("$(printf '%-22s %12s %9s %8s %s' "$name" "${done_runs:-0}" "$took" "$crashes" \
    "$([ "$status" -eq 0 ] || echo "(exit $status, see $log)")")")
  echo "${results[-1]}"
done

printf '\n%-22s %12s %9s %8s\n' harness executions seconds crashes
printf '%s\n' "${results[@]}"
