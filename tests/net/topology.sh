# Sourced by the network tests and the trace benchmark. Builds, in namespaces of its own:
#
#   client 10.10.1.1 ── r1 ── r2 ── r3 ── dest 10.10.4.2 ── (10.10.77.0/24: dropped by dest)
#      └── 10.10.9.1 ── void (10.10.66.0/24: dropped without a word)
#
# The same links carry IPv6 as well: 2001:db8:N::/64 where IPv4 has 10.10.N.0/24 (10.10.1.1 is
# 2001:db8:1::1), beyond the destination 2001:db8:77::/64, the void 2001:db8:66::/64.
# r2 forwards but never sends time-exceeded (nftables, ip and ip6). dnsmasq in the client namespace serves
# the routers' and the destination's names. Routers do not rate-limit ICMP, so many traces in a
# row see the same answers. topology_up installs a trap that removes everything on exit.
#
# TOPO_DELAYS="D1 D2 D3 D4" (one-way milliseconds of the four links from the client to dest)
# makes those links TUN pairs joined by hoplot_delay_wire ($HOPLOT_DELAY_WIRE) instead of veth.
# TOPO_DNSMASQ_EXTRA="--dns-rr=... ..." gives dnsmasq more records (blank-separated options).

topology_require_root() {
    local tool
    if [ "$(id -u)" -ne 0 ]; then
        if [ "${CI:-}" = true ]; then
            echo "network test needs root under CI" >&2
            exit 1
        fi
        echo "skipped: network namespaces need root"
        exit 77
    fi
    for tool in ip nft dnsmasq ping "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "missing tool: $tool (scripts/test-packages.txt)" >&2
            exit 1
        fi
    done
}

TOPO_PREFIX="hopt$$"
NS_CLIENT="$TOPO_PREFIX-client"
TOPO_NAMESPACES=("$NS_CLIENT" "$TOPO_PREFIX-r1" "$TOPO_PREFIX-r2" "$TOPO_PREFIX-r3"
                 "$TOPO_PREFIX-dest" "$TOPO_PREFIX-void")
TOPO_DIR=""

# Addresses and names the tests expect.
R1_ADDRESS=10.10.1.2
R3_ADDRESS=10.10.3.2
DEST_ADDRESS=10.10.4.2
BEYOND_DEST_ADDRESS=10.10.77.1
VOID_ADDRESS=10.10.66.1
R1_NAME=r1.hoplot.test
R3_NAME=r3.hoplot.test
DEST_NAME=dest.hoplot.test
R1_ADDRESS6=2001:db8:1::2
R3_ADDRESS6=2001:db8:3::2
DEST_ADDRESS6=2001:db8:4::2
BEYOND_DEST_ADDRESS6=2001:db8:77::1
VOID_ADDRESS6=2001:db8:66::1
DEST_NAME6=dest6.hoplot.test  # IPv6 only
DUAL_NAME=both.hoplot.test    # DEST_ADDRESS and DEST_ADDRESS6

topology_down() {
    local ns
    [ -n "$TOPO_DIR" ] && [ -f "$TOPO_DIR/dnsmasq.pid" ] && kill "$(cat "$TOPO_DIR/dnsmasq.pid")" 2>/dev/null
    [ -n "$TOPO_DIR" ] && [ -f "$TOPO_DIR/wire.pids" ] && xargs -r kill <"$TOPO_DIR/wire.pids" 2>/dev/null
    for ns in "${TOPO_NAMESPACES[@]}"; do
        ip netns pids "$ns" 2>/dev/null | xargs -r kill 2>/dev/null
        ip netns delete "$ns" 2>/dev/null
        rm -rf "/etc/netns/$ns"
    done
    [ -n "$TOPO_DIR" ] && rm -rf "$TOPO_DIR"
    return 0
}

# wire NS1 DEVICE1 NS2 DEVICE2 DELAY_MS: a TUN device in each namespace, joined with a delay.
topo_wire() {
    local out="$TOPO_DIR/wire.$2.out"
    "${HOPLOT_DELAY_WIRE:?HOPLOT_DELAY_WIRE must name the built hoplot_delay_wire}" "$@" >"$out" &
    echo $! >>"$TOPO_DIR/wire.pids"
    local tries=0
    until grep -q ready "$out"; do
        tries=$((tries + 1))
        if [ $tries -gt 50 ] || ! kill -0 $! 2>/dev/null; then
            echo "delay wire $2 did not come up" >&2
            return 1
        fi
        sleep 0.1
    done
}

# link NS1 ADDRESS1 NS2 ADDRESS2 [DELAY_MS]: a veth pair between two namespaces, or a delayed
# wire, with /24 addresses. The IPv6 addresses are 2001:db8:N::1 and ::2 for 10.10.N.1 and .2,
# usable at once (no DAD).
topo_link() {
    local a=$1 a_addr=$2 b=$3 b_addr=$4 delay=${5:-} name_a="to-${3##*-}" name_b="to-${1##*-}"
    local net6=2001:db8:${2#10.10.}
    net6=${net6%.*}
    if [ -n "$delay" ]; then
        topo_wire "$a" "$name_a" "$b" "$name_b" "$delay" || return 1
    else
        ip -n "$a" link add "$name_a" type veth peer name "$name_b" netns "$b"
    fi
    ip -n "$a" addr add "$a_addr/24" dev "$name_a"
    ip -n "$b" addr add "$b_addr/24" dev "$name_b"
    ip -n "$a" addr add "$net6::${a_addr##*.}/64" dev "$name_a" nodad
    ip -n "$b" addr add "$net6::${b_addr##*.}/64" dev "$name_b" nodad
    ip -n "$a" link set "$name_a" up
    ip -n "$b" link set "$name_b" up
}

# ip6_arpa ADDRESS: the reverse name of an IPv6 address ("::" written as the zeros it stands for).
ip6_arpa() {
    local head=${1%%::*} tail=${1#*::} group hex="" name=""
    local -a groups=()
    IFS=: read -ra groups <<<"$head"
    local -a tail_groups=()
    IFS=: read -ra tail_groups <<<"$tail"
    local missing=$((8 - ${#groups[@]} - ${#tail_groups[@]}))
    for ((; missing > 0; missing--)); do groups+=(0); done
    for group in "${groups[@]}" "${tail_groups[@]}"; do hex+=$(printf '%04x' "0x$group"); done
    for ((i = ${#hex} - 1; i >= 0; i--)); do name+="${hex:i:1}."; done
    echo "${name}ip6.arpa"
}

topology_up() {
    local ns p=$TOPO_PREFIX
    trap topology_down EXIT
    TOPO_DIR=$(mktemp -d)
    chmod 755 "$TOPO_DIR"
    for ns in "${TOPO_NAMESPACES[@]}"; do
        ip netns add "$ns"
        ip -n "$ns" link set lo up
        ip netns exec "$ns" sysctl -qw net.ipv4.icmp_ratelimit=0 net.ipv6.icmp.ratelimit=0
    done
    local -a delays=()
    read -ra delays <<<"${TOPO_DELAYS:-}"
    topo_link "$NS_CLIENT" 10.10.1.1 "$p-r1" 10.10.1.2 "${delays[0]:-}" || return 1
    topo_link "$p-r1" 10.10.2.1 "$p-r2" 10.10.2.2 "${delays[1]:-}" || return 1
    topo_link "$p-r2" 10.10.3.1 "$p-r3" 10.10.3.2 "${delays[2]:-}" || return 1
    topo_link "$p-r3" 10.10.4.1 "$p-dest" 10.10.4.2 "${delays[3]:-}" || return 1
    topo_link "$NS_CLIENT" 10.10.9.1 "$p-void" 10.10.9.2
    for ns in "$p-r1" "$p-r2" "$p-r3"; do
        ip netns exec "$ns" sysctl -qw net.ipv4.ip_forward=1 net.ipv6.conf.all.forwarding=1
    done

    ip -n "$NS_CLIENT" route add default via 10.10.1.2
    ip -n "$NS_CLIENT" route add 10.10.66.0/24 via 10.10.9.2
    ip -n "$p-r1" route add default via 10.10.2.2
    ip -n "$p-r2" route add default via 10.10.3.2
    ip -n "$p-r2" route add 10.10.1.0/24 via 10.10.2.1
    ip -n "$p-r3" route add default via 10.10.4.2
    ip -n "$p-r3" route add 10.10.0.0/21 via 10.10.3.1
    ip -n "$p-dest" route add default via 10.10.4.1
    ip -n "$NS_CLIENT" -6 route add default via 2001:db8:1::2
    ip -n "$NS_CLIENT" -6 route add 2001:db8:66::/64 via 2001:db8:9::2
    ip -n "$p-r1" -6 route add default via 2001:db8:2::2
    ip -n "$p-r2" -6 route add default via 2001:db8:3::2
    ip -n "$p-r2" -6 route add 2001:db8:1::/64 via 2001:db8:2::1
    ip -n "$p-r3" -6 route add default via 2001:db8:4::2
    ip -n "$p-r3" -6 route add 2001:db8::/45 via 2001:db8:3::1
    ip -n "$p-dest" -6 route add default via 2001:db8:4::1

    ip netns exec "$p-r2" nft -f - <<'NFT'
table ip silent {
    chain out {
        type filter hook output priority 0;
        icmp type time-exceeded drop
    }
}
table ip6 silent {
    chain out {
        type filter hook output priority 0;
        icmpv6 type time-exceeded drop
    }
}
NFT

    mkdir -p "/etc/netns/$NS_CLIENT"
    printf 'nameserver 127.0.0.1\noptions timeout:1 attempts:1\n' >"/etc/netns/$NS_CLIENT/resolv.conf"
    printf '127.0.0.1 localhost\n' >"/etc/netns/$NS_CLIENT/hosts"
    ip netns exec "$NS_CLIENT" dnsmasq --no-resolv --no-hosts --conf-file=/dev/null \
        --listen-address=127.0.0.1 --bind-interfaces --port=53 --address=/#/ \
        --pid-file="$TOPO_DIR/dnsmasq.pid" \
        --ptr-record=2.1.10.10.in-addr.arpa,$R1_NAME \
        --ptr-record=2.3.10.10.in-addr.arpa,$R3_NAME \
        --ptr-record=2.4.10.10.in-addr.arpa,$DEST_NAME \
        --host-record=$DEST_NAME,$DEST_ADDRESS \
        --ptr-record="$(ip6_arpa $R1_ADDRESS6),$R1_NAME" \
        --ptr-record="$(ip6_arpa $R3_ADDRESS6),$R3_NAME" \
        --host-record=$DEST_NAME6,$DEST_ADDRESS6 \
        --address=/$DUAL_NAME/$DEST_ADDRESS --address=/$DUAL_NAME/$DEST_ADDRESS6 \
        ${TOPO_DNSMASQ_EXTRA:-}
    local tries=0
    until ip netns exec "$NS_CLIENT" getent hosts "$DEST_NAME" >/dev/null; do
        tries=$((tries + 1))
        if [ $tries -gt 50 ]; then
            echo "dnsmasq did not come up" >&2
            return 1
        fi
        sleep 0.1
    done
    # Fresh links resolve IPv6 neighbours only after a second or two: settle them before timing.
    ip netns exec "$NS_CLIENT" ping -6 -c 1 -W 5 "$DEST_ADDRESS6" >/dev/null
}

# in_client COMMAND...: runs a command in the client namespace (with its resolver).
in_client() { ip netns exec "$NS_CLIENT" "$@"; }

# What the trace tests share: failures counted by fail and expect, hoplot --report in the client.
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
# expect NAME EXPECTED ACTUAL
expect() {
    if [ "$2" != "$3" ]; then
        fail "$1"
        diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") >&2
    fi
}

report() { in_client "$HOPLOT_BINARY" --report "$@"; }
names_and_addresses() { cut -f1,2; }
# What --report said on standard error, without the note that there is no AS database to name
# networks with (a machine that could not fetch it).
errors() { grep -v "^hoplot: No AS database" "$TOPO_DIR/error"; }
millis() { date +%s%3N; }

# expect_route_during_flood -4|-6 DEST R1: the route stays whole while both are ping-flooded.
expect_route_during_flood() {
    local flood flood_r1
    in_client ping "$1" -f -q "$2" >/dev/null 2>&1 &
    flood=$!
    in_client ping "$1" -f -q "$3" >/dev/null 2>&1 &
    flood_r1=$!
    sleep 0.3
    expect "route during a ping flood" "$route_rows" "$(report "$2" | names_and_addresses)"
    kill $flood $flood_r1
    wait $flood $flood_r1 2>/dev/null
}

# as_nobody ARGUMENTS...: hoplot --report as nobody, from a copy of the programs without
# capabilities, in the client namespace.
as_nobody() {
    local unprivileged="$TOPO_DIR/hoplot"
    if [ ! -x "$unprivileged" ]; then
        cp "$HOPLOT_BINARY" "$(dirname "$HOPLOT_BINARY")/hoplot-cli" "$TOPO_DIR/"
        mkdir -p "$TOPO_DIR/home" && chown nobody "$TOPO_DIR/home"
    fi
    in_client setpriv --reuid=nobody --regid=nogroup --clear-groups --inh-caps=-all \
        env HOME="$TOPO_DIR/home" XDG_CONFIG_HOME="$TOPO_DIR/home" "$unprivileged" --report "$@"
}
