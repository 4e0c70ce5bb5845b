#!/usr/bin/env bash
# The program's command line as a user, a script or a timer meets it: names in any case,
# a repeated option refused, the exit codes (0 done, 1 the work failed, 2 the command line
# cannot be used), every line on standard error starting with "veltrane: ", and the window
# without a display. Usage: command_line.sh PATH-OF-VELTRANE
set -uo pipefail
veltrane=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# run CODE OUT-PATTERN ERR-PATTERN [env VAR=VALUE ... --] ARGS...: runs the program without a
# display (unless the case sets one) and checks its exit code, that standard output matches
# OUT-PATTERN and standard error ERR-PATTERN (grep -E; "^$" for nothing), and that every
# line of standard error starts with "veltrane: ".
run() {
  local code=$1 out_pattern=$2 err_pattern=$3
  shift 3
  local -a environment=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
  if [[ ${1-} == env ]]; then
    shift
    while [[ $1 != -- ]]; do environment+=("$1"); shift; done
    shift
  fi
  "${environment[@]}" "$veltrane" "$@" > "$work/out" 2> "$work/err" < /dev/null
  local got=$?
  local what="veltrane $*"
  [[ $got == "$code" ]] || fail "$what: exit code $got, not $code; stderr: $(cat "$work/err")"
  grep -Eq -- "$out_pattern" "$work/out" || [[ $out_pattern == '^$' && ! -s $work/out ]] ||
    fail "$what: standard output does not match $out_pattern: $(cat "$work/out")"
  grep -Eq -- "$err_pattern" "$work/err" || [[ $err_pattern == '^$' && ! -s $work/err ]] ||
    fail "$what: standard error does not match $err_pattern: $(cat "$work/err")"
  if grep -qv '^veltrane: ' "$work/err"; then fail "$what: a line of standard error without the prefix: $(cat "$work/err")"; fi
}

dir=$work/program
mkdir -p "$dir/Lists"
printf '[VELTR_Setting]\r\np_hosts=1\r\n[Hosts]\r\nhosts=%s/hosts\r\nIP=0.0.0.0\r\n[BanList]\r\ngen_advert=1\r\n' \
  "$dir" > "$dir/Veltra.ini"
printf '127.0.0.1 localhost\r\n' > "$dir/hosts"
printf 'ads.example.com\r\n' > "$dir/Lists/Advertisement.txt"
printf '0.0.0.0 tracker.example.com\n0.0.0.0 malware.example.net\n' > "$work/list.txt"

# Done: 0. Names in any case, a list also by the label of page "Export URL".
run 0 'Exit codes: 0 done; 1 the work failed' '^$' --help
run 0 "^$dir/hosts: 1 name written, 1 new, 0 taken out, 0 left out$" '^$' --export Hosts --dir "$dir"
grep -q '0.0.0.0       ads.example.com' "$dir/hosts" || fail "--export Hosts did not write the hosts file"
run 0 '^2 new, 0 known' '^$' --dir "$dir" --import "$work/list.txt" --into advertisement
run 0 '^0 new, 2 known' '^$' --dir "$dir" --import "$work/list.txt" --into VIRUSES
run 0 '^0 new, 2 known' '^$' --dir "$dir" --into "viruses (and similar)" --import "$work/list.txt"
grep -q tracker.example.com "$dir/Lists/Advertisement.txt" || fail "--into advertisement filed nothing into Advertisement"

# Every export says what it wrote: a name gone from the lists is taken out of the hosts file,
# a line of the user's stays.
cp "$dir/Lists/Advertisement.txt" "$work/advertisement.txt"
printf 'tracker.example.com\r\nmalware.example.net\r\n10.0.0.1\r\n' > "$dir/Lists/Advertisement.txt"
printf '0.0.0.0 mine.example.org\n' >> "$dir/hosts"
run 0 "^$dir/hosts: 2 names written, 2 new, 1 taken out, 1 left out$" \
  '^veltrane: Warning: 1 of 3 records was left out: the Hosts format holds host names only' --dir "$dir" --export hosts
if grep -q 'ads.example.com' "$dir/hosts" || ! grep -q $'^0.0.0.0 mine.example.org\r$' "$dir/hosts"; then
  fail "--export hosts kept a name gone from the lists, or took out the user's line: $(cat "$dir/hosts")"
fi
cp "$work/advertisement.txt" "$dir/Lists/Advertisement.txt"

# An export with no category checked would write User_BadList alone: refused, nothing changed.
cp "$dir/hosts" "$work/hosts.before"
sed 's/gen_advert=1/gen_advert=0/' "$dir/Veltra.ini" > "$work/unchecked.ini"
mkdir -p "$work/unchecked/Lists" && cp "$work/unchecked.ini" "$work/unchecked/Veltra.ini"
cp "$dir/Lists/Advertisement.txt" "$work/unchecked/Lists/"
run 1 '^$' '^veltrane: No category is checked for export .* Nothing was written\.$' --dir "$work/unchecked" --export hosts
cmp -s "$dir/hosts" "$work/hosts.before" || fail "--export with no category checked changed the hosts file"
[[ ! -e $work/unchecked/Backup/Hosts ]] || fail "--export with no category checked made backups"

# The command line cannot be used: 2, and nothing done.
run 2 '^$' '^veltrane: unknown option --bogus$' --bogus
run 2 '^$' '^veltrane: --update is given twice' --update --update
run 2 '^$' '^veltrane: --dir is given twice' --dir "$dir" --dir "$work" --update
run 2 '^$' '^veltrane: --into is given twice' --dir "$dir" --import "$work/list.txt" --into Misc --into Porno
run 2 '^$' '^veltrane: no target is named "hostfile"; the targets are hosts, aof' --dir "$dir" --export hostfile
run 2 '^$' '^veltrane: --export needs a target' --export --dir "$dir"
run 2 '^$' '^veltrane: no list is named "Malware"; the lists are "Advertisement"' \
  --dir "$dir" --import "$work/list.txt" --into Malware
run 2 '^$' '^veltrane: unexpected argument "more.txt"' --dir "$dir" --import "$work/list.txt" more.txt --into Misc
run 2 '^$' '^veltrane: --export, --import, --update, --subscribe, --unsubscribe, --subscriptions and --query are given one at a time' --export hosts --update
[[ ! -e $dir/Lists/Misc.txt && ! -e $dir/Lists/Porno.txt ]] || fail "a refused command line filed records"

# The work failed: 1, with the reason.
run 1 '^$' "^veltrane: there is no file $work/missing.txt" --dir "$dir" --import "$work/missing.txt" --into Misc
run 1 '^$' '^veltrane: No file is set for Kerio Winroute Firewall' --dir "$dir" --export KWF
printf '[WebLists]\r\ncount=1\r\nurl1=http://127.0.0.1:1/list.txt\r\nlist1=misc\r\n' > "$work/updates.ini"
mkdir -p "$work/updates" && cp "$work/updates.ini" "$work/updates/Veltra.ini"
run 1 '^$' '^veltrane: http://127.0.0.1:1/list.txt: error: ' --dir "$work/updates" --update

# The window without a display: 1, and what to do instead.
run 1 '^$' '^veltrane: no display for the window: neither DISPLAY nor WAYLAND_DISPLAY is set' --dir "$dir"
run 1 '^$' '^veltrane: no display for the window: neither DISPLAY' --dir "$dir" /i
# A display that is set but does not answer: no X server has this number here.
dead=:$((7000 + RANDOM % 1000))
while [[ -e /tmp/.X11-unix/X${dead#:} ]]; do dead=:$((${dead#:} + 1)); done
run 1 '^$' "^veltrane: no display for the window: could not connect to display $dead" env DISPLAY="$dead" -- --dir "$dir"
run 1 '^$' '^veltrane: --update; veltrane --help lists them' env DISPLAY="$dead" -- --dir "$dir"

# The program without its window program beside it or installed: the modes work, the window
# says what is missing.
mkdir -p "$work/alone/bin"
cp "$veltrane" "$work/alone/bin/veltrane"
veltrane_beside=$veltrane
veltrane=$work/alone/bin/veltrane
run 0 '^$' '^$' --dir "$dir" --subscriptions
run 1 '^$' "^veltrane: cannot start the window program $work/alone/bin/../libexec/veltrane/veltrane-window: No such" \
  --dir "$dir"
veltrane=$veltrane_beside

if ((failures > 0)); then
  echo "$failures failed"
  exit 1
fi
echo "all passed"
