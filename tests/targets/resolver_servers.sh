#!/usr/bin/env bash
# The resolver formats as the servers themselves read them. The program exports records of
# every kind into each format from the command line; dnsmasq, Unbound and BIND's zone
# checker check the files; then dnsmasq and Unbound run on the loopback address, on a free
# high port, with no upstream server they could reach, and dig asks them for a listed name
# (blocked: NXDOMAIN), a name below it (blocked too), an internationalised name, and names
# not listed (answered as the test's own configuration says, or refused for want of an
# upstream server: not blocked). Usage: resolver_servers.sh PATH-OF-VELTRANE
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
# that are no domain names. ads.example.com is listed; other.example.net is not.
mkdir -p "$work/Lists"
{
  for i in $(seq 1 1000); do echo "ad$i.tracker$((i % 37)).example.com"; done
  printf 'ads.example.com\r\nADS.Example.COM\r\nad_server.example.org\r\ncaf\xc3\xa9.example\r\n'
  printf '\xef\xf0\xe8\xec\xe5\xf0.\xf0\xf4\r\n10.0.0.1\r\nlocalhost\r\na b.example.com\r\n*.wild.example.com\r\n'
} > "$work/Lists/Advertisement.txt"
printf 'other.example.net\r\n' > "$work/Lists/Porno.txt"
printf 'always.example.org\r\n' > "$work/Lists/User_BadList.txt"
printf 'ad1.tracker1.example.com\r\n' > "$work/Lists/User_NO_BadList.txt"
cat > "$work/Veltra.ini" <<INI
[BanList]
gen_advert=1
gen_porno=0
[Resolvers]
dnsmasq=$work/out/dnsmasq.conf
unbound=$work/out/unbound.conf
rpz=$work/out/block.zone
adblock=$work/out/adblock.txt
domains=$work/out/domains.txt
INI
mkdir -p "$work/out"

for format in dnsmasq unbound rpz adblock domains; do
  if ! env -u DISPLAY -u WAYLAND_DISPLAY "$veltrane" --dir "$work" --export "$format" 2> "$work/$format.err"; then
    fail "veltrane --export $format: $(cat "$work/$format.err")"
  fi
done
# 1000 names less the one never to block, ads.example.com, ad_server.example.org, two
# internationalised names and the one always blocked.
for file in dnsmasq.conf unbound.conf block.zone adblock.txt domains.txt; do
  grep -q "Number of URL Records: 1004$" "$work/out/$file" || fail "$file does not count 1004 names"
done
grep -q "left out: the dnsmasq format holds domain names only" "$work/dnsmasq.err" ||
  fail "the records left out were not told: $(cat "$work/dnsmasq.err")"

# The servers' own checks.
dnsmasq --test --conf-file="$work/out/dnsmasq.conf" || fail "dnsmasq --test"
cat > "$work/unbound-check.conf" <<CONF
server:
  chroot: ""
  username: ""
  include: "$work/out/unbound.conf"
CONF
unbound-checkconf "$work/unbound-check.conf" || fail "unbound-checkconf"
for zone in rpz.local block.example.org; do
  named-checkzone -q "$zone" "$work/out/block.zone" || fail "named-checkzone under $zone"
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
  printf '  %-8s %-28s %s\n' "$server" "$name" "$got"
  for wanted in "$@"; do [ "$got" = "$wanted" ] && return 0; done
  fail "$server answered $got for $name, not $*"
}

echo "The servers' answers:"
# dnsmasq: no upstream server at all; other.example.net is the test's own host record.
for _ in 1 2 3 4 5; do
  dnsmasq_port=$((20000 + RANDOM % 30000))
  port_in_use "$dnsmasq_port" && continue
  dnsmasq --keep-in-foreground --port="$dnsmasq_port" --listen-address=127.0.0.1 --bind-interfaces --no-resolv \
    --no-hosts --user="$(id -un)" --pid-file= --log-facility=- --conf-file="$work/out/dnsmasq.conf" \
    --host-record=other.example.net,192.0.2.1 > "$work/dnsmasq.log" 2>&1 &
  pids+=($!)
  await "$dnsmasq_port" && break
done
if await "$dnsmasq_port"; then
  expect dnsmasq "$dnsmasq_port" ads.example.com NXDOMAIN
  expect dnsmasq "$dnsmasq_port" www.ads.example.com NXDOMAIN
  expect dnsmasq "$dnsmasq_port" xn--caf-dma.example NXDOMAIN
  expect dnsmasq "$dnsmasq_port" ad1.tracker1.example.com REFUSED
  expect dnsmasq "$dnsmasq_port" other.example.net "NOERROR 192.0.2.1"
  expect dnsmasq "$dnsmasq_port" nowhere.example.net REFUSED SERVFAIL
else
  fail "dnsmasq did not start: $(tail -3 "$work/dnsmasq.log")"
fi

# Unbound, once with the include file and once with the policy zone. Its only upstream
# server is a closed port of the loopback address; the include instance refuses what no
# local zone answers, so an unlisted name is answered at once. The port it answers on is left
# in started_port.
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
  local-data: "other.example.net. A 192.0.2.1"
$2
forward-zone:
  name: "."
  forward-addr: 127.0.0.1@9
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

if start_unbound unbound-include "  module-config: \"iterator\"
  local-zone: \".\" refuse
  include: \"$work/out/unbound.conf\"" ""; then
  unbound_port=$started_port
  expect unbound "$unbound_port" ads.example.com NXDOMAIN
  expect unbound "$unbound_port" www.ads.example.com NXDOMAIN
  expect unbound "$unbound_port" xn--caf-dma.example NXDOMAIN
  expect unbound "$unbound_port" ad1.tracker1.example.com REFUSED
  expect unbound "$unbound_port" other.example.net "NOERROR 192.0.2.1"
  expect unbound "$unbound_port" nowhere.example.net REFUSED
else
  fail "unbound did not start with the include file: $(tail -3 "$work/unbound-include.log")"
fi
if start_unbound unbound-rpz "  module-config: \"respip iterator\"" "rpz:
  name: \"block.example.org\"
  zonefile: \"$work/out/block.zone\""; then
  rpz_port=$started_port
  expect "rpz" "$rpz_port" ads.example.com NXDOMAIN
  expect "rpz" "$rpz_port" www.ads.example.com NXDOMAIN
  expect "rpz" "$rpz_port" xn--caf-dma.example NXDOMAIN
  expect "rpz" "$rpz_port" other.example.net "NOERROR 192.0.2.1"
else
  fail "unbound did not start with the policy zone: $(tail -3 "$work/unbound-rpz.log")"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "all answers as the formats chose"
