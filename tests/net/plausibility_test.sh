#!/usr/bin/env bash
# Positions checked against real round trips: the test network's hops answer in well under a
# millisecond, so they lie within about 100 km of the client and of each other. hosts.cache puts
# r1 in Paris and r3 and the destination in Tokyo; r3's DNS LOC record puts it in Tokyo too.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/topology.sh"
topology_require_root python3
: "${HOPLOT_BINARY:?HOPLOT_BINARY must name the built hoplot}"
# 35.68 N, 139.69 E at 0 m, size 1 m, precisions 10 km and 10 m.
TOPO_DNSMASQ_EXTRA="--dns-rr=$R3_NAME,29,0012161387A7F6009DF966A000989680"
topology_up || exit 1

data=$TOPO_DIR/data
mkdir -p "$data/cache_files"
: >"$data/cache_files/networks.cache"

# hosts R3 DEST: hosts.cache with r1 in Paris and r3 and dest where said ("-": no line).
hosts() {
    echo "$R1_ADDRESS $R1_NAME 48 51N 2 21E" >"$data/cache_files/hosts.cache"
    [ "$1" = - ] || echo "$R3_ADDRESS $R3_NAME $1" >>"$data/cache_files/hosts.cache"
    [ "$2" = - ] || echo "$DEST_ADDRESS $DEST_NAME $2" >>"$data/cache_files/hosts.cache"
}
tokyo="35 41N 139 41E"
hosts "$tokyo" "$tokyo"

# settings HOME RFC1876 CHECK: the settings file of the next report.
settings() {
    mkdir -p "$TOPO_DIR/config/Varn Software"
    printf '[1.4]\nDBPath=%s/\nUse GeoIP=0\nHome Location=%s\nRFC 1876=%s\nCheck Positions=%s\n' \
        "$data" "$1" "$2" "$3" >"$TOPO_DIR/config/Varn Software/Hoplot.conf"
}

# checked: each hop of a JSON report as "name source plausible", and its round trip below 1 ms.
checked() {
    in_client env XDG_CONFIG_HOME="$TOPO_DIR/config" "$HOPLOT_BINARY" --report "$DEST_ADDRESS" \
        --json 2>/dev/null | python3 -c '
import json, sys
for line in json.load(sys.stdin)["lines"]:
    if "address" not in line:
        continue
    verdict = {True: "plausible", False: "implausible", None: "unknown"}[line["plausible"]]
    if line["rtt_ms"] >= 1:
        verdict += " (slow: %s ms)" % line["rtt_ms"]
    if line["plausible"] is False and not line["distance_km"] > line["bound_km"] > 100:
        verdict += " (bound %s km, distance %s km)" % (line["bound_km"], line["distance_km"])
    print(line["name"], line["source"], verdict)'
}

# With a home in Paris, r1 stays plausible and the hops placed in Tokyo are marked.
settings "48.85 2.35" 0 1
expect "home in Paris" "$R1_NAME cache plausible
$R3_NAME cache implausible
$DEST_NAME cache implausible" "$(checked)"

# Without a home the hops are checked against each other: r1 contradicts both of the others,
# which agree with each other, so r1 is the one marked.
settings "" 0 1
expect "no home" "$R1_NAME cache implausible
$R3_NAME cache plausible
$DEST_NAME cache plausible" "$(checked)"

# r3's LOC record comes first; from a home in Tokyo its position passes and r1's does not.
settings "35.68 139.69" 1 1
expect "LOC from Tokyo" "$R1_NAME cache implausible
$R3_NAME loc plausible
$DEST_NAME cache plausible" "$(checked)"

# From Paris, the cache file stands in for r3's LOC record, unless Check Positions is 0.
hosts "48 52N 2 20E" -
settings "48.85 2.35" 1 1
expect "a later source stands in" "$R1_NAME cache plausible
$R3_NAME cache plausible
$DEST_NAME none unknown" "$(checked)"
settings "48.85 2.35" 1 0
expect "Check Positions=0 keeps the LOC position" "$R1_NAME cache plausible
$R3_NAME loc implausible
$DEST_NAME none unknown" "$(checked)"

# The tab-separated report gains nothing.
fields=$(in_client env XDG_CONFIG_HOME="$TOPO_DIR/config" "$HOPLOT_BINARY" --report \
    "$DEST_ADDRESS" 2>/dev/null | awk -F'\t' '{print NF}' | sort -u)
expect "four tab-separated fields" "4" "$fields"

[ "$failures" -eq 0 ] || exit 1
echo "ok: positions checked against the round trips"

# The real window, its home set in the dialog, with r3 and the destination in Tokyo again.
hosts "$tokyo" "$tokyo"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
for folder in maps help; do ln -s "$here/../../data/$folder" "$data/$folder"; done
export R1_NAME R3_NAME DEST_NAME DEST_ADDRESS PLAUSIBLE_DATA=$data
in_client bash "$here/../gui/e2e/run_e2e.sh" "$here/../gui/e2e/window_plausibility.py"
