#!/usr/bin/env bash
# The resolver formats as the servers themselves read them. The program exports records of
# every kind into each format from the command line, once as they are and once with the
# option compress; dnsmasq, Unbound and BIND's zone checker check the files; then dnsmasq and
# Unbound run on the loopback address, on free high ports, their only upstream server a
# dnsmasq of the test's own that answers a few names, and dig asks them for a listed name
# (blocked: NXDOMAIN), a name below it (blocked too), an internationalised name, names never
# to block below a blocked name (answered by the upstream server), a name blocked below
# such a name (NXDOMAIN again), and names not listed (answered by the upstream server, or
# refused there: not blocked). The answers are the same with and without compress.
# Usage: resolver_servers.sh PATH-OF-VELTRANE
set -uo pipefail
veltrane=$1
export PATH="$PATH:/usr/sbin:/sbin"

for tool in dnsmasq unbound unbound-checkconf named-checkzone dig; do
  if ! command -v "$tool" > /dev/null; then
    echo "skipped: $tool is not installed (scripts/setup-debian-resolvers installs the servers and tools)"
    exit 77
  fi
done

work=$(mktemp -d)
# Every server runs in the foreground as a child of this shell, its process id kept here (never
# in a subshell, where the cleanup would not see it), and is stopped on success, failure and
# interruption alike.
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

# Generated records: a thousand names in two categories (one left unchecked), names in other
# cases, doubles, an internationalised name in UTF-8 and one in Windows-1251, and records
# that are no domain names. ads.example.com is listed; other.example.net is not. shop.example
# is listed with names below it: www.shop.example is never to block, kept.shop.example with
# every name below it ("*." line), and ads.www.shop.example, below the one never blocked, is
# listed; so is ads.kept.shop.example, which its "*." line spares. tracker.example.net is
# listed with a name below it, which compress leaves out.
mkdir -p "$work/Lists"
{
  for i in $(seq 1 1000); do echo "ad$i.tracker$((i % 37)).example.com"; done
  printf 'ads.example.com\r\nADS.Example.COM\r\nad_server.example.org\r\ncaf\xc3\xa9.example\r\n'
  printf '\xef\xf0\xe8\xec\xe5\xf0.\xf0\xf4\r\n10.0.0.1\r\nlocalhost\r\na b.example.com\r\n*.wild.example.com\r\n'
  printf 'shop.example\r\nads.www.shop.example\r\nads.kept.shop.example\r\n'
  printf 'tracker.example.net\r\nads.tracker.example.net\r\n'
} > "$work/Lists/Advertisement.txt"
printf 'other.example.net\r\n' > "$work/Lists/Porno.txt"
printf 'always.example.org\r\n' > "$work/Lists/User_BadList.txt"
printf 'ad1.tracker1.example.com\r\nwww.shop.example\r\n*.kept.shop.example\r\n' > "$work/Lists/User_NO_BadList.txt"

# export OUT COMPRESS: every format into the folder OUT, with the option compress 0 or 1.
export_all() {
  cat > "$work/Veltra.ini" <<INI
[BanList]
gen_advert=1
gen_porno=0
[Resolvers]
compress=$2
dnsmasq=$1/dnsmasq.conf
unbound=$1/unbound.conf
rpz=$1/block.zone
adblock=$1/adblock.txt
domains=$1/domains.txt
INI
  mkdir -p "$1"
  for format in dnsmasq unbound rpz adblock domains; do
    if ! env -u DISPLAY -u WAYLAND_DISPLAY "$veltrane" --dir "$work" --export "$format" > "$1/$format.out" \
      2> "$1/$format.err"; then
      fail "veltrane --export $format: $(cat "$1/$format.err")"
    fi
    grep -q "^$1/[a-z.]*: [0-9]* names written, [0-9]* new, 0 taken out, [0-9]* left out$" "$1/$format.out" ||
      fail "veltrane --export $format did not say what it wrote: $(cat "$1/$format.out")"
  done
}
export_all "$work/out" 0
export_all "$work/compressed" 1
# 1000 names less the one never to block, ads.example.com, ad_server.example.org, two
# internationalised names, the one always blocked, shop.example, ads.www.shop.example and the
# two tracker names; with compress the name below tracker.example.net goes. The domain list
# holds no exception: it leaves out shop.example, and its names are not compressed.
for file in dnsmasq.conf unbound.conf block.zone adblock.txt; do
  grep -q "Number of URL Records: 1008$" "$work/out/$file" || fail "$file does not count 1008 names"
  grep -q "Number of URL Records: 1007$" "$work/compressed/$file" || fail "compressed $file does not count 1007 names"
done
for out in out compressed; do
  grep -q "Number of URL Records: 1007$" "$work/$out/domains.txt" || fail "$out/domains.txt does not count 1007 names"
  grep -q "1 above a name never to block, which a domain list cannot hold as an exception" "$work/$out/domains.err" ||
    fail "the domain list did not tell why it left out shop.example: $(cat "$work/$out/domains.err")"
done
grep -q "left out: the dnsmasq format holds domain names only" "$work/out/dnsmasq.err" ||
  fail "the records left out were not told: $(cat "$work/out/dnsmasq.err")"

# The servers' own checks.
for out in out compressed; do
  dnsmasq --test --conf-file="$work/$out/dnsmasq.conf" || fail "dnsmasq --test of $out"
  cat > "$work/unbound-check.conf" <<CONF
server:
  chroot: ""
  username: ""
  include: "$work/$out/unbound.conf"
CONF
  unbound-checkconf "$work/unbound-check.conf" || fail "unbound-checkconf of $out"
  for zone in rpz.local block.example.org; do
    named-checkzone -q "$zone" "$work/$out/block.zone" || fail "named-checkzone of $out under $zone"
  done
done

# A free port for each server: picked at random, and picked again when the server cannot
# bind it.
port_in_use() { (exec 3<> "/dev/tcp/127.0.0.1/$1") 2> /dev/null; }

# Waits until the server on port $1 answers.
await() {
  for _ in $(seq 1 50); do
    dig @127.0.0.1 -p "$1" +time=1 +tries=1 other.example.net > /dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# status SERVER-PORT NAME: the status and the A answer of a query.
answer() {
  local out status address
  out=$(dig @127.0.0.1 -p "$1" +time=3 +tries=1 "$2" A)
  status=$(sed -n 's/.*status: \([A-Z]*\),.*/\1/p' <<< "$out")
  address=$(awk '!/^;/ && $4 == "A" { print $5; exit }' <<< "$out")
  echo "${status:-no answer}${address:+ $address}"
}

# expect SERVER PORT NAME ANSWER...: the answer is one of those given.
expect() {
  local server=$1 port=$2 name=$3 got
  shift 3
  got=$(answer "$port" "$name")
  printf '  %-18s %-28s %s\n' "$server" "$name" "$got"
  for wanted in "$@"; do [ "$got" = "$wanted" ] && return 0; done
  fail "$server answered $got for $name, not $*"
}

# start_dnsmasq NAME ARGUMENTS...: a dnsmasq in the foreground on a free port, its process id
# kept here; the port it answers on is left in started_port.
start_dnsmasq() {
  local name=$1 port
  shift
  started_port=
  for _ in 1 2 3 4 5; do
    port=$((20000 + RANDOM % 30000))
    port_in_use "$port" && continue
    dnsmasq --keep-in-foreground --port="$port" --listen-address=127.0.0.1 --bind-interfaces --no-resolv \
      --no-hosts --user="$(id -un)" --pid-file= --log-facility=- "$@" > "$work/$name.log" 2>&1 &
    pids+=($!)
    if await "$port"; then
      started_port=$port
      return 0
    fi
  done
  return 1
}

# The upstream server of every server tested: it answers the names never to block, a name
# below one of them, and other.example.net; it refuses every other name.
if ! start_dnsmasq upstream --host-record=other.example.net,192.0.2.1 --host-record=www.shop.example,192.0.2.2 \
  --host-record=kept.shop.example,192.0.2.3 --host-record=ads.kept.shop.example,192.0.2.4 \
  --host-record=deep.www.shop.example,192.0.2.5; then
  fail "the upstream dnsmasq did not start: $(tail -3 "$work/upstream.log")"
  exit 1
fi
upstream_port=$started_port

# expect_common SERVER PORT: the answers every format gives alike.
expect_common() {
  expect "$1" "$2" ads.example.com NXDOMAIN
  expect "$1" "$2" www.ads.example.com NXDOMAIN
  expect "$1" "$2" xn--caf-dma.example NXDOMAIN
  expect "$1" "$2" other.example.net "NOERROR 192.0.2.1"
  expect "$1" "$2" shop.example NXDOMAIN
  expect "$1" "$2" other.shop.example NXDOMAIN
  expect "$1" "$2" www.shop.example "NOERROR 192.0.2.2"
  expect "$1" "$2" ads.www.shop.example NXDOMAIN
  expect "$1" "$2" kept.shop.example "NOERROR 192.0.2.3"
  expect "$1" "$2" ads.kept.shop.example "NOERROR 192.0.2.4"
  expect "$1" "$2" tracker.example.net NXDOMAIN
  expect "$1" "$2" ads.tracker.example.net NXDOMAIN
  expect "$1" "$2" ad1.tracker1.example.com REFUSED SERVFAIL
  expect "$1" "$2" nowhere.example.net REFUSED SERVFAIL
}

echo "The servers' answers:"
for out in out compressed; do
  # dnsmasq, whose exception for a name spares the names below it too.
  if start_dnsmasq "dnsmasq-$out" --conf-file="$work/$out/dnsmasq.conf" --server="127.0.0.1#$upstream_port"; then
    expect_common "dnsmasq $out" "$started_port"
    expect "dnsmasq $out" "$started_port" deep.www.shop.example "NOERROR 192.0.2.5"
  else
    fail "dnsmasq did not start with $out: $(tail -3 "$work/dnsmasq-$out.log")"
  fi
done

# Unbound, once with the include file and once with the policy zone. Its only upstream
# server is the test's upstream dnsmasq. The port it answers on is left in started_port.
start_unbound() {  # NAME EXTRA-SERVER-LINES TRAILING-SECTIONS
  local port
  started_port=
  for _ in 1 2 3 4 5; do
    port=$((20000 + RANDOM % 30000))
    port_in_use "$port" && continue
    cat > "$work/$1.conf" <<CONF
server:
  interface: 127.0.0.1
  port: $port
  do-ip6: no
  do-daemonize: no
  chroot: ""
  username: ""
  directory: "$work"
  pidfile: ""
  use-syslog: no
  logfile: ""
  so-reuseport: no
  do-not-query-localhost: no
  qname-minimisation: no
$2
forward-zone:
  name: "."
  forward-addr: 127.0.0.1@$upstream_port
$3
CONF
    unbound -c "$work/$1.conf" > "$work/$1.log" 2>&1 &
    pids+=($!)
    if await "$port"; then
      started_port=$port
      return 0
    fi
  done
  return 1
}

for out in out compressed; do
  # Unbound's transparent zone spares the names below its name too, as dnsmasq's exception.
  if start_unbound "unbound-include-$out" "  module-config: \"iterator\"
  include: \"$work/$out/unbound.conf\"" ""; then
    expect_common "unbound $out" "$started_port"
    expect "unbound $out" "$started_port" deep.www.shop.example "NOERROR 192.0.2.5"
  else
    fail "unbound did not start with the include file of $out: $(tail -3 "$work/unbound-include-$out.log")"
  fi
  # A policy zone's exception spares the name alone, as the line never to block asks: the
  # names below it stay blocked.
  if start_unbound "unbound-rpz-$out" "  module-config: \"respip iterator\"" "rpz:
  name: \"block.example.org\"
  zonefile: \"$work/$out/block.zone\""; then
    expect_common "rpz $out" "$started_port"
    expect "rpz $out" "$started_port" deep.www.shop.example NXDOMAIN
  else
    fail "unbound did not start with the policy zone of $out: $(tail -3 "$work/unbound-rpz-$out.log")"
  fi
done

if [ "$failures" -gt 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "all answers as the formats chose"
