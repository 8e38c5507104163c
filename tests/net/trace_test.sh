#!/usr/bin/env bash
# Real traces through namespaces: hop order, names, the silent router, the destination at TTL 1,
# unreachable destinations, a stop, an unknown name, a ping flood, and both kinds of ICMP socket.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/topology.sh"
topology_require_root setpriv
: "${HOPLOT_BINARY:?HOPLOT_BINARY must name the built hoplot}"
topology_up || exit 1

timed_out=$'Timed out. Retrying... \t'
route_rows="$R1_NAME	$R1_ADDRESS
$timed_out
$R3_NAME	$R3_ADDRESS
$DEST_NAME	$DEST_ADDRESS
Done	"

# The route by address and by name: rows in TTL order with names, addresses, four-wide times.
for destination in "$DEST_ADDRESS" "$DEST_NAME"; do
    started=$(millis)
    output=$(report "$destination") || fail "report $destination exited with $?"
    elapsed=$(($(millis) - started))
    expect "route to $destination" "$route_rows" "$(names_and_addresses <<<"$output")"
    times=$(awk -F'\t' 'NF == 4 && $2 != "" {print $4}' <<<"$output")
    [ "$(grep -cE '^ {0,3}[0-9]+ms$' <<<"$times")" -eq 3 ] || fail "hop times: $times"
    [ "$(awk -F'\t' '{print NF}' <<<"$output" | sort -u)" = 4 ] || fail "every line has four fields"
    # The silent router must not hold the trace for its full 5000 ms once r3 has answered.
    [ "$elapsed" -lt 4000 ] || fail "route to $destination took $elapsed ms"
done

# A destination that answers the first probe.
expect "destination at TTL 1" "$R1_NAME	$R1_ADDRESS
Done	" "$(report "$R1_ADDRESS" | names_and_addresses)"

# Unreachable: 29 probe lines and Done; and when nothing answers at all, no stored trace.
report "$BEYOND_DEST_ADDRESS" >"$TOPO_DIR/beyond" &
report "$VOID_ADDRESS" --json --save "$TOPO_DIR/void.trc" >"$TOPO_DIR/void" &
wait
beyond=$(names_and_addresses <"$TOPO_DIR/beyond")
expect "unreachable: first rows" "$R1_NAME	$R1_ADDRESS
$timed_out
$R3_NAME	$R3_ADDRESS
$timed_out" "$(head -4 <<<"$beyond")"
[ "$(wc -l <<<"$beyond")" -eq 30 ] || fail "unreachable: $(wc -l <<<"$beyond") lines, not 30"
[ "$(grep -c "^Timed out" <<<"$beyond")" -eq 27 ] || fail "unreachable: time-out lines"
[ "$(tail -1 <<<"$beyond")" = $'Done\t' ] || fail "unreachable: no Done"
void=$(cat "$TOPO_DIR/void")
grep -q '"stored":false' <<<"$void" || fail "nothing answered, yet a trace was stored: $void"
[ "$(grep -c '"status":"Timed out. Retrying... "' <<<"$void")" -eq 29 ] || fail "void: 29 time-outs"
grep -q '"status":"Done"' <<<"$void" || fail "void: no Done"
[ -z "$("$HOPLOT_BINARY" --show "$TOPO_DIR/void.trc")" ] || fail "void: the saved file holds a trace"

# A stop: the rows so far stay, no Done, and the program ends at once.
ip netns exec "$NS_CLIENT" "$HOPLOT_BINARY" --report "$BEYOND_DEST_ADDRESS" \
    --save "$TOPO_DIR/stopped.trc" >"$TOPO_DIR/stopped" &
reporter=$! # hoplot itself: ip netns exec replaces itself with it
sleep 1
stop_sent=$(millis)
kill -INT $reporter
wait $reporter
stop_took=$(($(millis) - stop_sent))
expect "stopped trace" "$R1_NAME	$R1_ADDRESS
$timed_out
$R3_NAME	$R3_ADDRESS" "$(names_and_addresses <"$TOPO_DIR/stopped")"
[ "$stop_took" -lt 1000 ] || fail "stop took $stop_took ms"
expect "stopped trace as saved" "$BEYOND_DEST_ADDRESS
$R1_NAME	$R1_ADDRESS
$timed_out
$R3_NAME	$R3_ADDRESS" "$("$HOPLOT_BINARY" --show "$TOPO_DIR/stopped.trc" 2>/dev/null | names_and_addresses)"

# A name that does not resolve: the message on standard error, nothing traced, status 1.
output=$(report nowhere.hoplot.test 2>"$TOPO_DIR/error")
status=$?
[ $status -eq 1 ] || fail "unknown name: exit status $status"
[ -z "$output" ] || fail "unknown name printed: $output"
grep -qx "Can't resolve IP name" "$TOPO_DIR/error" || fail "unknown name: $(cat "$TOPO_DIR/error")"

for usage in "" "$DEST_ADDRESS --window 0" "$DEST_ADDRESS --window x" "$DEST_ADDRESS extra"; do
    # shellcheck disable=SC2086 # the words are the arguments
    "$HOPLOT_BINARY" --report $usage >/dev/null 2>&1
    status=$?
    [ $status -eq 2 ] || fail "--report $usage: exit status $status, not 2"
done

# Other programs' pings on the same host are never taken for hops.
expect_route_during_flood -4 "$DEST_ADDRESS" "$R1_ADDRESS"

# An unprivileged user: a copy of the binary without capabilities, ping sockets allowed only
# inside the client namespace.
in_client sysctl -qw net.ipv4.ping_group_range="1 0"
output=$(as_nobody "$DEST_ADDRESS" 2>"$TOPO_DIR/error")
status=$?
[ $status -eq 1 ] || fail "no ICMP socket: exit status $status"
[ -z "$output" ] || fail "no ICMP socket printed: $output"
grep -q "^Can't open ICMP socket: .*cap_net_raw.*ping_group_range" "$TOPO_DIR/error" ||
    fail "no ICMP socket: $(cat "$TOPO_DIR/error")"

in_client sysctl -qw net.ipv4.ping_group_range="0 2147483647"
expect "unprivileged route" "$route_rows" "$(as_nobody "$DEST_ADDRESS" | names_and_addresses)"
expect "unprivileged destination at TTL 1" "$R1_NAME	$R1_ADDRESS
Done	" "$(as_nobody "$R1_ADDRESS" | names_and_addresses)"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all trace checks passed"
