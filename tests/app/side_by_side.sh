#!/usr/bin/env bash
# Two writers at once on one program folder, in every pair of modes: `--import`, `--update`,
# `--export` and the window (the driver moving a record, the driver starting with the start-up
# correction on), all of them changing the same lists. Each pair runs again and again, the second writer started after a random
# delay, and every record is counted before and after: a record that was in a list, or that a
# writer said it filed, must be in a list afterwards, and no temporary file of a save may stay.
# The server of the subscriptions runs on 127.0.0.1 and stops with this script.
# Usage: side_by_side.sh VELTRANE VELTRANE-DRIVE SCENARIO-SERVER [RUNS-PER-PAIR]
set -uo pipefail
veltrane=$1 drive=$2 server_script=$3 runs=${4:-4}

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null; done
  wait 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# Names: 350,000 already in the lists, and four sets of 40,000 new ones, two in files to
# import and two served as subscriptions.
names() { awk -v from="$1" -v n="$2" -v tag="$3" 'BEGIN { for (i = from; i < from + n; ++i) printf "%s%d.example.com\n", tag, i }'; }
names 0 300000 base > "$work/base-unsorted"
names 0 50000 misc > "$work/base-misc"
names 0 40000 filea > "$work/a.txt"
names 0 40000 fileb > "$work/b.txt"
mkdir -p "$work/web"
names 0 40000 weba | sed 's/^/0.0.0.0 /' > "$work/web/a.txt"
names 0 40000 webb > "$work/web/b.txt"
"$(command -v python3)" "$server_script" "$work/web" "$work/port" "$$" > /dev/null 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do [ -s "$work/port" ] && break; sleep 0.05; done
[ -s "$work/port" ] || { echo "FAILED: the web server did not start"; exit 1; }
server="http://127.0.0.1:$(cat "$work/port")"

# A fresh program folder: the lists, two subscriptions, a hosts target.
fresh() {
  local dir=$1
  rm -rf "$dir" && mkdir -p "$dir/Lists" "$dir/etc"
  sed 's/$/\r/' "$work/base-unsorted" > "$dir/Lists/Unsorted.txt"
  sed 's/$/\r/' "$work/base-misc" > "$dir/Lists/Misc.txt"
  printf '127.0.0.1\tlocalhost\n' > "$dir/etc/hosts"
  printf '127.0.0.1\tlocalhost\n' > "$dir/etc/hosts.old"
  cat > "$dir/Veltra.ini" <<INI
[VELTR_Setting]
low=$2
p_hosts=1
[BanList]
gen_advert=1
gen_misc=1
gen_unsort=1
[Hosts]
hosts=$dir/etc/hosts
IP=0.0.0.0
[WebLists]
url1=$server/a.txt
list1=Unsorted
url2=$server/b.txt
list2=Porno
count=2
INI
}

# What each writer does, and the names it files when it succeeds.
run_writer() {  # KIND DIR OUT
  local kind=$1 dir=$2 out=$3
  case $kind in
    import-a) "$veltrane" --dir "$dir" --import "$work/a.txt" --into Unsorted > "$out" 2>&1 ;;
    import-b) "$veltrane" --dir "$dir" --import "$work/b.txt" --into Unsorted > "$out" 2>&1 ;;
    update) "$veltrane" --dir "$dir" --update > "$out" 2>&1 ;;
    export) "$veltrane" --dir "$dir" --export hosts > "$out" 2>&1 ;;
    move) "$drive" --dir "$dir" > "$out" 2>&1 <<'SCRIPT' ;;
pick Unsorted (Edit Lists)
click Load from:
pick Porno
select 0 7
click >>>
close
SCRIPT
    start) printf 'close\n' | "$drive" --dir "$dir" > "$out" 2>&1 ;;
    subscribe) "$veltrane" --dir "$dir" --subscribe "$server/c.txt" --into Misc > "$out" 2>&1 ;;
    unsubscribe) "$veltrane" --dir "$dir" --unsubscribe "$server/a.txt" > "$out" 2>&1 ;;
  esac
}
# The names a writer takes out when it succeeds: those only the subscription it ends brought.
taken() {
  case $1 in
    unsubscribe) echo "$work/web-a-names" ;;
    *) echo /dev/null ;;
  esac
}
filed() {  # KIND: the file of names the writer adds when it succeeds
  case $1 in
    import-a) echo "$work/a.txt" ;;
    import-b) echo "$work/b.txt" ;;
    update) echo "$work/web-names" ;;
    *) echo /dev/null ;;
  esac
}
names 0 40000 weba > "$work/web-a-names"
cat "$work/web-a-names" > "$work/web-names"
names 0 40000 webb >> "$work/web-names"
names 0 1000 webc > "$work/web/c.txt"

all_records() { cat "$1"/Lists/*.txt 2> /dev/null | tr -d '\r' | tr 'A-Z' 'a-z' | LC_ALL=C sort -u; }

pairs=("import-a import-b" "import-a update" "update update" "import-a move" "import-a start"
       "update move" "update start" "export import-a" "export update" "move start" "export move"
       "subscribe import-a" "subscribe update" "unsubscribe import-a" "unsubscribe move" "unsubscribe update")
run=0
for pair in "${pairs[@]}"; do
  read -r first second <<< "$pair"
  low=0
  [ "$first" = start ] || [ "$second" = start ] && low=1
  for _ in $(seq 1 "$runs"); do
    run=$((run + 1))
    dir="$work/run$run"
    fresh "$dir" "$low"
    # Ending a subscription takes out what it brought: it must have brought something.
    if [ "$first" = unsubscribe ]; then "$veltrane" --dir "$dir" --update > /dev/null 2>&1; fi
    all_records "$dir" > "$work/before"
    run_writer "$first" "$dir" "$work/out1" &
    one=$!
    sleep "$(printf '0.%03d' $((RANDOM % 250)))"
    run_writer "$second" "$dir" "$work/out2" &
    two=$!
    wait "$one"
    rc1=$?
    wait "$two"
    rc2=$?
    [ "$rc1" = 0 ] || fail "run $run ($pair): $first ended with $rc1: $(tail -2 "$work/out1")"
    [ "$rc2" = 0 ] || fail "run $run ($pair): $second ended with $rc2: $(tail -2 "$work/out2")"
    all_records "$dir" > "$work/after"
    cat "$work/before" "$(filed "$first")" "$(filed "$second")" | LC_ALL=C sort -u |
      LC_ALL=C comm -23 - <(LC_ALL=C sort -u "$(taken "$first")") > "$work/expected"
    if [ "$first" = unsubscribe ]; then
      back=$(LC_ALL=C comm -12 "$work/after" <(LC_ALL=C sort -u "$(taken "$first")") | wc -l)
      # An update after the end of the subscription finds no such subscription; one before it
      # files nothing new of it: either way, none of its names stays.
      [ "$back" = 0 ] || fail "run $run ($pair): $back names of the ended subscription are still in the lists"
    fi
    if [ "$first" = subscribe ] && ! grep -q "c.txt" "$dir/Veltra.ini"; then
      fail "run $run ($pair): the subscription was not kept"
    fi
    lost=$(LC_ALL=C comm -23 "$work/expected" "$work/after" | wc -l)
    [ "$lost" = 0 ] && echo "run $run: $first beside $second: $(wc -l < "$work/after") records, none lost" ||
      fail "run $run ($pair): $lost records lost, such as $(LC_ALL=C comm -23 "$work/expected" "$work/after" | head -3 | tr '\n' ' ')"
    # An export sees the lists as they were before or after the other writer, never between.
    if [ "$first" = export ] && [ "$second" != move ]; then
      from_other=$(grep -c -F -f "$(filed "$second")" "$dir/etc/hosts")
      total=$(wc -l < "$(filed "$second")")
      [ "$from_other" = 0 ] || [ "$from_other" = "$total" ] ||
        fail "run $run ($pair): the hosts file holds $from_other of the $total names $second filed"
    fi
    left=$(find "$dir" -name '.veltrane-*')
    [ -z "$left" ] || fail "run $run ($pair): temporary files left: $left"
    rm -rf "$dir"
  done
done

if [ "$failures" -gt 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "$run runs, two writers each: no record lost"
