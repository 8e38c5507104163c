#!/usr/bin/env bash
# Traces along the nine-hop path of ../shared/lossnet (links with one-way delays of 1 to 30 ms,
# a ping to the destination about 209 ms), run by run alternating hoplot --report and Debian's
# traceroute -I -n, in four scenarios: A every router answers; B routers 3 and 6 silent; C as B
# with 3 % loss on each direction of every link; D the destination unreachable beyond r5. Prints
# for each the median times, the share of answering hops each found and the TTLs at which each
# put the destination; for A also every hop's round trip beside ping's median.
# Needs root and the lossnet directory (HOPLOT_LOSSNET, default ../shared/lossnet beside the
# checkout), which it holds under flock /tmp/lossnet.lock. HOPLOT_BENCH_RUNS (default 5) sets the
# runs of A, B and D, HOPLOT_BENCH_LOSSY_RUNS (default 21) those of C; HOPLOT_BINARY picks the
# program (default: the Release build of scripts/bench).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
lossnet=${HOPLOT_LOSSNET:-$root/../shared/lossnet}
if [ "$(id -u)" -ne 0 ]; then
    echo "lossy_path_bench: skipped, network namespaces need root"
    exit 0
fi
if [ ! -f "$lossnet/topo.sh" ]; then
    echo "lossy_path_bench: skipped, no lossnet at $lossnet (set HOPLOT_LOSSNET)"
    exit 0
fi
if ! command -v traceroute >/dev/null; then
    echo "missing tool: traceroute (scripts/test-packages.txt)" >&2
    exit 1
fi
binary=${HOPLOT_BINARY:-$root/build-bench/src/hoplot}
runs=${HOPLOT_BENCH_RUNS:-5}
lossy_runs=${HOPLOT_BENCH_LOSSY_RUNS:-21}
destination=10.77.9.2
work=$(mktemp -d)

# The path is shared with other work on this machine: hold its lock from up to down. The relay
# that topo.sh starts must not inherit the lock.
exec 9>/tmp/lossnet.lock
flock 9
topo() { bash "$lossnet/topo.sh" "$@" 9>&-; }
trap 'topo down >/dev/null 2>&1; rm -rf "$work"' EXIT
topo down >/dev/null 2>&1 # whatever an interrupted run left behind
topo up >/dev/null
in_client() { ip netns exec nb-client "$@"; }

# Routers and the destination that answer, by scenario: the address of hop K is 10.77.K.2.
declare -A answering=([A]="1 2 3 4 5 6 7 8 9" [B]="1 2 4 5 7 8 9" [C]="1 2 4 5 7 8 9" [D]="1 2 3 4 5")

# "TTL ADDRESS" of every hop of hoplot --report --json (after the document's first line, one
# line per TTL).
hoplot_hops() {
    sed -n 's/.*"address":"\([^"]*\)".*/\1/p;t;s/.*/-/p' "$1" | awk '$1 != "-" {print NR - 1, $1}'
}
# "TTL ADDRESS" of every address traceroute printed.
traceroute_hops() {
    awk '$1 ~ /^[0-9]+$/ {for (i = 2; i <= NF; i++) if ($i ~ /^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$/) print $1, $i}' "$1"
}

declare -A times found expected destination_ttls
# record TOOL SCENARIO HOPS_FILE MILLISECONDS
record() {
    local key="$1/$2" hops=$3 hop ttl
    times[$key]+="$4 "
    for hop in ${answering[$2]}; do
        expected[$key]=$((${expected[$key]:-0} + 1))
        grep -qx "$hop 10.77.$hop.2" "$hops" && found[$key]=$((${found[$key]:-0} + 1))
    done
    ttl=$(awk -v d="$destination" '$2 == d {print $1; exit}' "$hops")
    destination_ttls[$key]+="${ttl:--} "
}

# run_tool TOOL SCENARIO: one timed run, recorded.
run_tool() {
    local out="$work/$1.out" started elapsed
    started=$(date +%s%N)
    if [ "$1" = hoplot ]; then
        in_client "$binary" --report "$destination" --json >"$out" 2>/dev/null || true
    else
        in_client traceroute -I -n "$destination" >"$out" 2>/dev/null || true
    fi
    elapsed=$((($(date +%s%N) - started) / 1000000))
    if [ "$1" = hoplot ]; then hoplot_hops "$out"; else traceroute_hops "$out"; fi >"$work/$1.hops"
    record "$1" "$2" "$work/$1.hops" "$elapsed"
    [ "$1" = hoplot ] && [ "$2" = A ] && sed -n 's/.*"address":"\([^"]*\)".*"rtt_ms":\([0-9.]*\).*/\1 \2/p' "$out" >>"$work/round-trips"
    return 0
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR == 0) ? "-" : (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
words() { tr ' ' '\n' | grep .; }
# "TTL:count" of the destination TTLs of a tool and scenario.
histogram() { words <<<"$1" | sort | uniq -c | awk '{printf "%s%s:%s", (NR > 1 ? " " : ""), $2, $1}'; }

for scenario in A B C D; do
    topo scenario "$scenario" >/dev/null
    count=$runs
    [ "$scenario" = C ] && count=$lossy_runs
    for run in $(seq "$count"); do
        # Alternating which goes first, so that neither always finds the path freshly settled.
        if [ $((run % 2)) -eq 1 ]; then
            run_tool hoplot "$scenario"
            run_tool traceroute "$scenario"
        else
            run_tool traceroute "$scenario"
            run_tool hoplot "$scenario"
        fi
    done
    if [ "$scenario" = A ]; then
        for hop in 1 2 3 4 5 6 7 8 9; do
            in_client ping -n -c 20 -i 0.1 "10.77.$hop.2" >"$work/ping.$hop" &
        done
        wait
    fi
done

echo "lossy path to $destination: medians over $runs runs ($lossy_runs in C), alternating with traceroute -I -n"
printf '%-3s %9s %11s %6s %8s %11s  %-22s %s\n' "" hoplot_ms traceroute_ms ratio found tr_found \
    "hoplot destination TTL" "traceroute destination TTL"
for scenario in A B C D; do
    hoplot_ms=$(words <<<"${times[hoplot/$scenario]}" | median)
    traceroute_ms=$(words <<<"${times[traceroute/$scenario]}" | median)
    printf '%-3s %9s %11s %6s %7s%% %10s%%  %-22s %s\n' "$scenario" "$hoplot_ms" "$traceroute_ms" \
        "$(awk -v a="$hoplot_ms" -v b="$traceroute_ms" 'BEGIN {printf "%.2f", (b > 0 ? a / b : 0)}')" \
        "$(awk -v f="${found[hoplot/$scenario]:-0}" -v e="${expected[hoplot/$scenario]}" 'BEGIN {printf "%.1f", 100 * f / e}')" \
        "$(awk -v f="${found[traceroute/$scenario]:-0}" -v e="${expected[traceroute/$scenario]}" 'BEGIN {printf "%.1f", 100 * f / e}')" \
        "$(histogram "${destination_ttls[hoplot/$scenario]}")" \
        "$(histogram "${destination_ttls[traceroute/$scenario]}")"
done

echo "round trips in A (ms): ping's median, hoplot's median and its farthest from ping's"
printf '%-4s %9s %9s %9s\n' hop ping hoplot farthest
for hop in 1 2 3 4 5 6 7 8 9; do
    ping_ms=$(sed -n 's/.*time=\([0-9.]*\) ms.*/\1/p' "$work/ping.$hop" | median)
    hoplot_rtts=$(awk -v a="10.77.$hop.2" '$1 == a {print $2}' "$work/round-trips")
    printf '%-4s %9s %9s %9s\n' "$hop" "$ping_ms" "$(median <<<"$hoplot_rtts")" \
        "$(awk -v p="$ping_ms" '{d = $1 - p; d = d < 0 ? -d : d; if (d > m) m = d} END {printf "%.3f", m}' <<<"$hoplot_rtts")"
done
echo "targets: C hoplot finds >= 97 % and puts the destination at TTL 9 in every run, in no more"
echo "time than traceroute; A every hop within 1 ms of ping's median"
