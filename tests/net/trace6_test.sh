#!/usr/bin/env bash
# Real IPv6 traces through the namespaces: hop order with names from ip6.arpa, the silent router,
# an unreachable destination, a trace file, a ping flood, both kinds of ICMPv6 socket, -4 and -6 on a name with both
# families, and a machine without an IPv6 route.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/topology.sh"
topology_require_root setpriv getent
: "${HOPLOT_BINARY:?HOPLOT_BINARY must name the built hoplot}"
topology_up || exit 1

timed_out=$'Timed out. Retrying... \t'
route_rows="$R1_NAME	$R1_ADDRESS6
$timed_out
$R3_NAME	$R3_ADDRESS6
$DEST_NAME6	$DEST_ADDRESS6
Done	"

for destination in "$DEST_ADDRESS6" "$DEST_NAME6" 2001:0db8:0004:0000:0000:0000:0000:0002; do
    started=$(millis)
    output=$(report "$destination") || fail "report $destination exited with $?"
    elapsed=$(($(millis) - started))
    expect "route to $destination" "$route_rows" "$(names_and_addresses <<<"$output")"
    times=$(awk -F'\t' 'NF == 4 && $2 != "" {print $4}' <<<"$output")
    [ "$(grep -cE '^ {0,3}[0-9]+ms$' <<<"$times")" -eq 3 ] || fail "hop times: $times"
    [ "$elapsed" -lt 4000 ] || fail "route to $destination took $elapsed ms"
done

# Saved and shown again: the same rows, the addresses in the same short form.
report "$DEST_NAME6" --save "$TOPO_DIR/six.trc" >/dev/null
expect "saved IPv6 trace" "$DEST_NAME6
$route_rows" "$(in_client "$HOPLOT_BINARY" --show "$TOPO_DIR/six.trc" | names_and_addresses)"

# Unreachable: 29 probe lines and Done, within one time-out.
started=$(millis)
beyond=$(report "$BEYOND_DEST_ADDRESS6" | names_and_addresses)
elapsed=$(($(millis) - started))
expect "unreachable: first rows" "$R1_NAME	$R1_ADDRESS6
$timed_out
$R3_NAME	$R3_ADDRESS6
$timed_out" "$(head -4 <<<"$beyond")"
[ "$(wc -l <<<"$beyond")" -eq 30 ] || fail "unreachable: $(wc -l <<<"$beyond") lines, not 30"
[ "$(tail -1 <<<"$beyond")" = $'Done\t' ] || fail "unreachable: no Done"
[ "$elapsed" -lt 5500 ] || fail "unreachable took $elapsed ms"

# A name with both families: -4 and -6 choose, and without either the system's first choice.
expect "-4 on $DUAL_NAME" "$DEST_NAME	$DEST_ADDRESS" "$(report "$DUAL_NAME" -4 | names_and_addresses | sed -n 4p)"
expect "-6 on $DUAL_NAME" "$DEST_NAME6	$DEST_ADDRESS6" "$(report -6 "$DUAL_NAME" | names_and_addresses | sed -n 4p)"
preferred=$(in_client getent ahosts "$DUAL_NAME" | awk 'NR == 1 {print $1}')
[ "$(report "$DUAL_NAME" | cut -f2 | sed -n 4p)" = "$preferred" ] ||
    fail "$DUAL_NAME not traced over the preferred $preferred"
output=$(report -4 "$DEST_NAME6" 2>"$TOPO_DIR/error")
[ $? -eq 1 ] && grep -qx "Can't resolve IP name" "$TOPO_DIR/error" || fail "-4 on an IPv6-only name"

# Other programs' pings on the same host are never taken for hops.
expect_route_during_flood -6 "$DEST_ADDRESS6" "$R1_ADDRESS6"

# The ping socket, for a user without privileges.
in_client sysctl -qw net.ipv4.ping_group_range="0 2147483647"
expect "unprivileged route" "$route_rows" "$(as_nobody "$DEST_ADDRESS6" | names_and_addresses)"
expect "unprivileged destination at TTL 1" "$R1_NAME	$R1_ADDRESS6
Done	" "$(as_nobody "$R1_ADDRESS6" | names_and_addresses)"

# No IPv6 route: a clear line instead of 29 time-outs; a name without address is still unknown.
ip -n "$NS_CLIENT" -6 route del default
for destination in "$DEST_ADDRESS6" "$DEST_NAME6"; do
    output=$(report "$destination" 2>"$TOPO_DIR/error")
    status=$?
    [ $status -eq 1 ] && [ -z "$output" ] || fail "no route to $destination: status $status, $output"
    expect "no route to $destination" "IPv6 is unavailable: no route to $DEST_ADDRESS6" "$(errors)"
done
report -6 nowhere.hoplot.test 2>"$TOPO_DIR/error"
expect "unknown name without IPv6" "Can't resolve IP name" "$(errors)"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all IPv6 trace checks passed"
