#!/usr/bin/env bash
# DNS LOC positions end to end: in a network namespace of its own, dnsmasq on loopback is the
# resolver and serves PTR and LOC records; `hoplot --locate` runs there with settings and a data
# directory made for the test. No packet leaves the namespace.
set -euo pipefail

skip() {
    if [ "${CI:-}" = true ]; then
        echo "FAIL: $1 (a skip is a failure under CI)" >&2
        exit 1
    fi
    echo "SKIP: $1"
    exit 77
}
fail() {
    echo "FAIL: $1" >&2
    exit 1
}

[ "$(id -u)" -eq 0 ] || skip "needs root to make a network namespace"
command -v dnsmasq >/dev/null || skip "dnsmasq is not installed (Debian package dnsmasq-base)"
[ -x "${HOPLOT_BINARY:-}" ] || fail "HOPLOT_BINARY does not name the built hoplot"

ns=hoplot-dns-loc-$$
work=$(mktemp -d)
dnsmasq_pid=
cleanup() {
    set +e
    [ -n "$dnsmasq_pid" ] && kill "$dnsmasq_pid" 2>/dev/null && wait "$dnsmasq_pid" 2>/dev/null
    ip netns del "$ns" 2>/dev/null
    rm -rf "/etc/netns/$ns" "$work"
}
trap cleanup EXIT

ip netns add "$ns"
ip -n "$ns" link set lo up
mkdir -p "/etc/netns/$ns"
echo "nameserver 127.0.0.1" >"/etc/netns/$ns/resolv.conf"
echo "127.0.0.1 localhost" >"/etc/netns/$ns/hosts"

# 42.3 N, 71.06 W at 0 m, size 1 m, precisions 10 km and 10 m.
boston_loc=0012161389139BC070C08EC000989680
log=$work/dnsmasq.log
ip netns exec "$ns" dnsmasq --keep-in-foreground --no-resolv --no-hosts --conf-file=/dev/null \
    --listen-address=127.0.0.1 --bind-interfaces --port=53 --user=root --address=/#/ \
    --log-queries --log-facility="$log" \
    --ptr-record=10.2.0.192.in-addr.arpa,gw1.boston.example.net \
    --ptr-record=20.2.0.192.in-addr.arpa,ae1.houston.example.net \
    --ptr-record=0.1.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa,gw1.boston.example.net \
    --dns-rr=gw1.boston.example.net,29,$boston_loc &
dnsmasq_pid=$!
for _ in $(seq 50); do
    ip netns exec "$ns" getent hosts 192.0.2.10 >/dev/null 2>&1 && break
    sleep 0.1
done
ip netns exec "$ns" getent hosts 192.0.2.10 >/dev/null || fail "dnsmasq does not answer"

# The user's fix for 192.0.2.10 in update.cache, somewhere else entirely.
data=$work/data
mkdir -p "$data/cache_files"
echo "192.0.2.10 fixed-by-hand 10.5 n 20.5 e" >"$data/cache_files/update.cache"
: >"$data/cache_files/hosts.cache"
: >"$data/cache_files/networks.cache"

use_loc_records() {
    mkdir -p "$work/config/Varn Software"
    printf '[1.4]\nRFC%%201876=%s\nUse%%20GeoIP=0\nDBPath=%s/\n' "$1" "$data" \
        >"$work/config/Varn Software/Hoplot.conf"
}

# The fields up to the host name; the network fields after it are another test's.
locate() {
    ip netns exec "$ns" env XDG_CONFIG_HOME="$work/config" "$HOPLOT_BINARY" --locate "$@" |
        cut -f1-6
}

expect_line() {
    local want=$1; shift
    local got
    got=$(locate "$@") || fail "hoplot --locate $* exited with $?"
    [ "$got" = "$want" ] || fail "hoplot --locate $*
  want: $(printf '%q' "$want")
  got:  $(printf '%q' "$got")"
    echo "ok: --locate $*"
}

tab=$'\t'
boston="   42.30° North,    71.06° West${tab}19832${tab}17367${tab}1${tab}loc"
fix="   10.50° North,    20.50° East${tab}36500${tab}28945${tab}0${tab}fix"
houston="   29.93° North,    95.50° West${tab}15383${tab}21871${tab}0${tab}rules"

use_loc_records 1
# The LOC record wins over the user's fix; a nameless hop is named by its PTR record first.
expect_line "$boston${tab}gw1.boston.example.net" 192.0.2.10 gw1.boston.example.net
expect_line "$boston${tab}gw1.boston.example.net" 192.0.2.10
expect_line "$boston${tab}gw1.boston.example.net" 2001:db8::10
# No LOC record: the reverse look-up's name stays and the host-name rules place it, kind 0.
expect_line "$houston${tab}*e1.houston.example.net" 192.0.2.20
# A hop named by its own address is never queried.
got=$(locate 192.0.2.30 192.0.2.30) || fail "hoplot --locate 192.0.2.30 192.0.2.30 failed"
[ "$(awk -F'\t' '{print $1 "|" $4 "|" $5 "|" $6}' <<<"$got")" = "Unresolved|0|none|192.0.2.30" ] ||
    fail "a hop named by its address: got $(printf '%q' "$got")"
grep -q 'query\[LOC\] gw1.boston.example.net' "$log" || fail "no LOC query in the log"
if grep -q 'query\[LOC\] 192\.0\.2\.30' "$log"; then fail "a dotted address was queried"; fi
# Nor one named by an IPv6 address, though it may begin with a letter.
got=$(locate fd00::30 fd00::30) || fail "hoplot --locate fd00::30 fd00::30 failed"
[ "$(cut -f5,6 <<<"$got")" = "none${tab}fd00::30" ] || fail "an IPv6 hop named by its address: $got"
if grep -q 'query\[LOC\] fd00' "$log"; then fail "an IPv6 address was queried"; fi

use_loc_records 0
before=$(wc -l <"$log")
expect_line "$fix${tab}" 192.0.2.10
expect_line "$fix${tab}gw1.boston.example.net" 192.0.2.10 gw1.boston.example.net
sleep 0.2 # dnsmasq writes its log as it answers; give a stray query time to show
after=$(tail -n +"$((before + 1))" "$log")
if grep -q 'query\[LOC\]' <<<"$after"; then fail "LOC query sent with RFC 1876 off: $after"; fi
if grep -q 'query\[PTR\]' <<<"$after"; then fail "reverse look-up made with RFC 1876 off: $after"; fi
echo "ok: no LOC query and no reverse look-up with RFC 1876 off"
