#!/usr/bin/env bash
# Times Ctrl-C during a destination look-up that the name server never answers: hoplot --report
# must end within 300 ms of it, with status 0. The slow server is made without touching the
# machine: in a mount namespace of its own, /etc/resolv.conf names a TEST-NET address that is
# routed but silent.
# Needs root. HOPLOT_BENCH_RUNS (default 5) sets the runs; HOPLOT_BINARY picks the program
# (default: the Release build of scripts/bench).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
if [ "$(id -u)" -ne 0 ]; then
    echo "interrupt_bench: skipped, a mount namespace needs root"
    exit 0
fi
binary=${HOPLOT_BINARY:-$root/build-bench/src/hoplot}
runs=${HOPLOT_BENCH_RUNS:-5}
conf=$(mktemp)
trap 'rm -f "$conf" "$conf.out"' EXIT
printf 'nameserver 192.0.2.77\noptions timeout:3 attempts:2\n' >"$conf"

# Prints "MS STATUS" for each run: the time from Ctrl-C to the end, and the exit status.
unshare -m bash -s "$conf" "$binary" "$runs" >"$conf.out" <<'RUNS'
mount --bind "$1" /etc/resolv.conf
for _ in $(seq "$3"); do
    "$2" --report no-such-host.invalid >/dev/null 2>&1 &
    pid=$!
    sleep 0.5
    started=$(date +%s%N)
    kill -INT "$pid"
    status=0
    wait "$pid" || status=$?
    echo "$((($(date +%s%N) - started) / 1000000)) $status"
done
RUNS
median=$(cut -d' ' -f1 "$conf.out" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}')
slowest=$(cut -d' ' -f1 "$conf.out" | sort -n | tail -1)
statuses=$(cut -d' ' -f2 "$conf.out" | sort -u | tr '\n' ' ')
echo "Ctrl-C during a silent name server's look-up, $runs runs: median $median ms, slowest" \
    "$slowest ms, exit status ${statuses% }"
echo "target: <= 300 ms, status 0"
