#!/usr/bin/env bash
# The whole job as a user with a timer runs it: a published hosts list of N synthetic names
# (the generator in the shared data folder, each line "0.0.0.0 NAME") filed into an empty
# program folder with `veltrane --import`, then the hosts file written with `veltrane --export
# hosts`; beside the Unix pipeline doing the same job
#   awk '{print tolower($2)}' | LC_ALL=C sort -u | sed 's/^/0.0.0.0 /'
# and, when its path is given, the hBlock script on the same file (never downloaded here: hand
# it a copy you have). Best of RUNS, wall time, and the peak resident size of the largest
# process of each job (GNU time's maximum resident set size).
#
# Usage: whole_job.sh VELTRANE [--sizes "1000000 4000000"] [--runs 3] [--hblock PATH] [--generator AWK]
set -euo pipefail
veltrane=$(realpath "$1")
shift
sizes="1000000 4000000"
runs=3
hblock=""
generator="$(dirname "$(realpath "$0")")/../../shared/data/gen_synth_domains.awk"
while [ $# -gt 0 ]; do
  case $1 in
    --sizes) sizes=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --hblock) hblock=$(realpath "$2"); shift 2 ;;
    --generator) generator=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
[ -x /usr/bin/time ] || { echo "GNU time is needed (apt install time)" >&2; exit 2; }
[ -f "$generator" ] || { echo "no generator at $generator (--generator AWK)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a command under GNU time; appends "SECONDS KIB" to the file $1.
measure() {
  local out=$1
  shift
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" > /dev/null 2> "$work/stderr" || {
    echo "failed: $*" >&2
    cat "$work/stderr" >&2
    exit 1
  }
  cat "$work/time" >> "$out"
}

# The best wall time of the runs and the largest peak of any run, of the steps measured in
# each run (summed times, the largest step's peak).
best() {
  awk -v steps="$2" '{ t += $1; if ($2 > m) m = $2; if (NR % steps == 0) { if (best == "" || t < best) best = t; t = 0 } }
    END { printf "%.2f s, %d MiB", best, (m + 1023) / 1024 }' "$1"
}

pipeline() {
  awk '{print tolower($2)}' "$1" | LC_ALL=C sort -u | sed 's/^/0.0.0.0 /' > "$2"
}
export -f pipeline

if [ -n "$hblock" ]; then
  printf '| names | Unix pipeline | Veltrane | hBlock |\n|---|---|---|---|\n'
else
  printf '| names | Unix pipeline | Veltrane |\n|---|---|---|\n'
fi
for n in $sizes; do
  list="$work/hosts-$n"
  awk -v N="$n" -f "$generator" | sed 's/^/0.0.0.0 /' > "$list"
  : > "$work/pipe-$n" && : > "$work/veltrane-$n" && : > "$work/hblock-$n"
  for _ in $(seq 1 "$runs"); do
    measure "$work/pipe-$n" bash -c 'pipeline "$0" "$1"' "$list" "$work/pipe-out"
    folder="$work/folder"
    rm -rf "$folder" && mkdir -p "$folder/etc"
    printf '127.0.0.1\tlocalhost\n' > "$folder/etc/hosts"
    printf '[VELTR_Setting]\r\np_hosts=1\r\n[Hosts]\r\nhosts=%s\r\nIP=0.0.0.0\r\n[BanList]\r\ngen_unsorted=1\r\n' \
      "$folder/etc/hosts" > "$folder/Veltra.ini"
    measure "$work/veltrane-$n" "$veltrane" --dir "$folder" --import "$list" --into Unsorted
    measure "$work/veltrane-$n" "$veltrane" --dir "$folder" --export hosts
    if [ -n "$hblock" ]; then
      echo "file://$list" > "$work/sources"
      measure "$work/hblock-$n" env HOSTNAME=bench "$hblock" -S "$work/sources" -O "$work/hblock-out"
    fi
  done
  row="| $(printf "%'d" "$n" 2> /dev/null || echo "$n") | $(best "$work/pipe-$n" 1) | $(best "$work/veltrane-$n" 2) |"
  [ -n "$hblock" ] && row="$row $(best "$work/hblock-$n" 1) |"
  echo "$row"
done
