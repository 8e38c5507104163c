#!/usr/bin/env bash
# Times traces through the test topology (tests/net/topology.sh) in one run: hoplot --report,
# Debian's traceroute -I, and hoplot with one probe in flight at a time (--window 1), to a
# destination behind a silent router and to an unreachable one; then the same two over IPv6
# (hoplot --report -6 against traceroute -6 -I). Prints the medians.
# Needs root. HOPLOT_BENCH_RUNS (default 5) sets the runs per measurement; HOPLOT_BINARY picks
# the program (default: the Release build of scripts/bench).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/tests/net/topology.sh"
if [ "$(id -u)" -ne 0 ]; then
    echo "trace_bench: skipped, network namespaces need root"
    exit 0
fi
topology_require_root traceroute
binary=${HOPLOT_BINARY:-$root/build-bench/src/hoplot}
runs=${HOPLOT_BENCH_RUNS:-5}
topology_up

# Milliseconds one command takes.
time_ms() {
    local started
    started=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    echo $((($(date +%s%N) - started) / 1000000))
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR == 0) ? "-" : (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }

declare -A times
# measure_round LABEL TARGET [-6]
measure_round() {
    local label=$1 target=$2 family=("${@:3}")
    times[$label/hoplot]+="$(time_ms in_client "$binary" --report "${family[@]}" "$target") "
    times[$label/traceroute]+="$(time_ms in_client traceroute "${family[@]}" -I "$target") "
}

for _ in $(seq "$runs"); do
    measure_round silent-hop "$DEST_ADDRESS"
    measure_round unreachable "$BEYOND_DEST_ADDRESS"
    measure_round silent-hop-6 "$DEST_ADDRESS6" -6
    measure_round unreachable-6 "$BEYOND_DEST_ADDRESS6" -6
    times[silent-hop/window-1]+="$(time_ms in_client "$binary" --report "$DEST_ADDRESS" --window 1) "
    # The program's own start and exit, which every hoplot figure above includes.
    times[start-up]+="$(time_ms in_client "$binary" --version) "
done
# One probe at a time to an unreachable destination takes over two minutes a run: those runs go
# side by side (they only wait), so the benchmark still ends in minutes.
window_one_file=$(mktemp)
for _ in $(seq "$runs"); do
    time_ms in_client "$binary" --report "$BEYOND_DEST_ADDRESS" --window 1 >>"$window_one_file" &
done
wait
times[unreachable/window-1]=$(cat "$window_one_file")
rm -f "$window_one_file"

echo "trace medians over $runs runs (ms):"
printf '%-13s %10s %12s %10s %8s\n' case hoplot "traceroute" window-1 ratio
for label in silent-hop unreachable silent-hop-6 unreachable-6; do
    hoplot=$(tr ' ' '\n' <<<"${times[$label/hoplot]}" | grep . | median)
    traceroute=$(tr ' ' '\n' <<<"${times[$label/traceroute]}" | grep . | median)
    window_one=$(tr ' ' '\n' <<<"${times[$label/window-1]:-}" | { grep . || true; } | median)
    ratio=$(awk -v a="$hoplot" -v b="$traceroute" 'BEGIN {printf "%.2f", (b > 0) ? a / b : 0}')
    printf '%-13s %10s %12s %10s %8s\n' "$label" "$hoplot" "$traceroute" "$window_one" "$ratio"
done
echo "hoplot --version in the namespace (start-up and exit): $(tr ' ' '\n' <<<"${times[start-up]}" | grep . | median) ms"
echo "targets: silent-hop hoplot <= 1.5 x traceroute; unreachable hoplot <= 5500 ms (both families)"
