#!/usr/bin/env bash
# The program's command line as a timer meets it: the modes without a window need no display,
# and the window without one says so on standard error, each line starting with "veltrane: ",
# and exits 1. Usage: command_line.sh PATH-OF-VELTRANE
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
mkdir -p "$dir"
run 0 'usage: veltrane' '^$' --help

# The window without a display: 1, and what to do instead.
run 1 '^$' '^veltrane: no display for the window: neither DISPLAY nor WAYLAND_DISPLAY is set' --dir "$dir"
run 1 '^$' '^veltrane: no display for the window: neither DISPLAY' --dir "$dir" /i
# A display that is set but does not answer: no X server has this number here.
dead=:$((7000 + RANDOM % 1000))
while [[ -e /tmp/.X11-unix/X${dead#:} ]]; do dead=:$((${dead#:} + 1)); done
run 1 '^$' "^veltrane: no display for the window: could not connect to display $dead" env DISPLAY="$dead" -- --dir "$dir"
run 1 '^$' '^veltrane: --update; veltrane --help lists them' env DISPLAY="$dead" -- --dir "$dir"

if ((failures > 0)); then
  echo "$failures failed"
  exit 1
fi
echo "all passed"
