#!/usr/bin/env bash
# Traces over links with real delays (2, 3, 20 and 5 ms one way) that lose packets, over IPv4 and
# IPv6, with raw and ping sockets: round trips agree with ping's even when the program reads the
# answers late; a lost answer of a router is made up for by a retry, and lost probes of the
# destination's own TTL leave the destination at that TTL rather than at the next one, which
# also reaches it.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/topology.sh"
topology_require_root setpriv
: "${HOPLOT_BINARY:?HOPLOT_BINARY must name the built hoplot}"
TOPO_DELAYS="2 3 20 5"
topology_up || exit 1
in_client sysctl -qw net.ipv4.ping_group_range="0 2147483647"

# ping's shortest and median round trips to an address, in ms: the shortest is the wires' own,
# the median what a busy machine adds to them.
ping_times() {
    in_client ping -n -c 11 -i 0.05 "$1" | sed -n 's/.*time=\([0-9.]*\) ms.*/\1/p' | sort -n |
        awk '{v[NR] = $1} END {print v[1], v[int((NR + 1) / 2)]}'
}

declare -A ping_ms
for address in "$R1_ADDRESS" "$R3_ADDRESS" "$DEST_ADDRESS" "$R1_ADDRESS6" "$R3_ADDRESS6" \
    "$DEST_ADDRESS6"; do
    ping_ms[$address]=$(ping_times "$address")
done

# expect_near_ping LABEL ADDRESS MS: a round trip near ping's: not below its shortest, and above
# its median by no more than what a busy machine adds to the wires (far less than a late read
# below).
expect_near_ping() {
    local times=(${ping_ms[$2]:-0 0})
    awk -v t="$3" -v low="${times[0]}" -v mid="${times[1]}" \
        'BEGIN {exit !(t > low - 1.5 && t < mid + 30)}' ||
        fail "$1: $2 took $3 ms, ping says ${ping_ms[$2]:-nothing} (shortest, median)"
}

# frozen TRACER ARGUMENTS...: the trace's output, with hoplot stopped for 400 ms once it has
# printed its first hop, while the answers from r3 (50 ms away) and dest are still on their way.
frozen() {
    local out="$TOPO_DIR/frozen" pid="" tries=0 candidate
    : >"$out"
    "$@" >"$out" &
    until [ -s "$out" ] || [ $tries -gt 2000 ]; do
        tries=$((tries + 1))
        sleep 0.002
    done
    for candidate in $(ip netns pids "$NS_CLIENT"); do
        [ "$(cat "/proc/$candidate/comm" 2>/dev/null)" = hoplot-cli ] && pid=$candidate
    done
    if [ -n "$pid" ]; then
        kill -STOP "$pid"
        sleep 0.4
        kill -CONT "$pid"
    fi
    wait
    cat "$out"
}

# Round trips are the kernel's receive times less the send times: answers read 400 ms late still
# show ping's round trips, from raw and ping sockets (whose routers' answers come through the
# error queue).
for tracer in report as_nobody; do
    for destination in "$DEST_ADDRESS" "$DEST_ADDRESS6"; do
        hops=0
        while IFS=$'\t' read -r _ address _ time; do
            [ -n "$address" ] || continue
            hops=$((hops + 1))
            expect_near_ping "$tracer $destination, read late" "$address" "${time%ms}"
        done < <(frozen "$tracer" "$destination")
        [ $hops -eq 3 ] || fail "$tracer $destination, read late: $hops hops"
    done
done

# --json gives each hop's round trip with three decimals, the time text its whole milliseconds.
for destination in "$DEST_ADDRESS" "$DEST_ADDRESS6"; do
    hops=$(report "$destination" --json |
        sed -n 's/.*"address":"\([^"]*\)".*"time":" *\([0-9]*\)ms".*"rtt_ms":\([0-9]*\)\(\.[0-9]\{3\}\),.*/\1 \2 \3 \3\4/p')
    [ "$(grep -c . <<<"$hops")" -eq 3 ] || fail "--json round trips: $hops"
    while read -r address time whole rtt; do
        [ "$time" = "$whole" ] || fail "--json: $address: time $time ms, rtt_ms $rtt"
        expect_near_ping "--json" "$address" "$rtt"
    done <<<"$hops"
done

# Lost packets, the same ones in every trace: r1 drops its first time-exceeded answer, and the
# destination the first three probes that reach it with one hop left (its own TTL's probes, which
# unlike the next TTL's decide where the route ends). Counters start again with every trace.
lose_first_answers() {
    ip netns exec "$TOPO_PREFIX-r1" nft -f - <<'NFT'
table inet loss
delete table inet loss
table inet loss {
    chain out {
        type filter hook output priority 0;
        icmp type time-exceeded numgen inc mod 2 == 0 drop
        icmpv6 type time-exceeded numgen inc mod 2 == 0 drop
    }
}
NFT
    ip netns exec "$TOPO_PREFIX-dest" nft -f - <<'NFT'
table inet loss
delete table inet loss
table inet loss {
    chain in {
        type filter hook input priority 0;
        ip ttl 1 icmp type echo-request numgen inc mod 4 < 3 drop
        ip6 hoplimit 1 icmpv6 type echo-request numgen inc mod 4 < 3 drop
    }
}
NFT
}

timed_out=$'Timed out. Retrying... \t'
for family in 4 6; do
    if [ $family = 4 ]; then
        r1=$R1_ADDRESS r3=$R3_ADDRESS dest=$DEST_ADDRESS dest_name=$DEST_NAME
    else
        r1=$R1_ADDRESS6 r3=$R3_ADDRESS6 dest=$DEST_ADDRESS6 dest_name=$DEST_NAME6
    fi
    route_rows="$R1_NAME	$r1
$timed_out
$R3_NAME	$r3
$dest_name	$dest
Done	"
    for tracer in report as_nobody; do
        lose_first_answers
        started=$(millis)
        expect "$tracer IPv$family with lost packets" "$route_rows" \
            "$("$tracer" "$dest" | names_and_addresses)"
        elapsed=$(($(millis) - started))
        [ "$elapsed" -lt 2000 ] || fail "$tracer IPv$family with lost packets took $elapsed ms"
    done
done

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all lossy trace checks passed"
