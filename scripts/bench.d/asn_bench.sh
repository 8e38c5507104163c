#!/usr/bin/env bash
# Start-up of the look-up mode with and without the AS table: hoplot --locate, which opens every
# source as the window does, timed with a data directory of its own that has no AS table and
# then one that has the real table (data/asn/asn.bin, fetched by scripts/test) or, without it, a
# table converted from generated ranges of the real size. Prints the medians in milliseconds.
# HOPLOT_BENCH_RUNS (default 30) sets the runs; HOPLOT_BINARY picks the program (default: the
# Release build of scripts/bench).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
binary=${HOPLOT_BINARY:-$root/build-bench/src/hoplot}
runs=${HOPLOT_BENCH_RUNS:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work
# The source tree's data without its AS table: the cache files and the GeoIP database, if fetched.
mkdir -p "$work/share" "$work/config/Varn Software"
for part in cache_files geoip; do
    [ -e "$root/data/$part" ] && ln -s "$root/data/$part" "$work/share/$part"
done
printf '[1.4]\nDBPath=%s/share/\n' "$work" >"$work/config/Varn Software/Hoplot.conf"
table="$work/data/Varn Software/Hoplot/asn/asn.bin"

# Microseconds one command takes.
time_us() {
    local started
    started=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    echo $((($(date +%s%N) - started) / 1000))
}
median_ms() { sort -n | awk '{v[NR] = $1} END {m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.2f", m / 1000}'; }

measure() {
    local i
    for i in $(seq "$runs"); do time_us "$binary" --locate 8.8.8.8; done | median_ms
}

without=$(measure)
mkdir -p "$(dirname "$table")"
if [ -f "$root/data/asn/asn.bin" ]; then
    cp "$root/data/asn/asn.bin" "$table"
    kind="the fetched table"
else
    python3 - "$work" <<'EOF_PY'
import random, sys
random.seed(5)
for name, bits, count in (('asn-ipv4-num.csv', 32, 412000), ('asn-ipv6-num.csv', 128, 103000)):
    step = (1 << bits) // (count + 2)
    with open(sys.argv[1] + '/' + name, 'w') as out:
        for i in range(count):
            first = (i + 1) * step
            asn = random.randrange(1, 84000)
            out.write('%d,%d,%d,"Network %d, Inc."\n' % (first, first + random.randrange(1, step // 2), asn, asn))
EOF_PY
    "$binary" --convert-asn "$work/asn-ipv4-num.csv" "$work/asn-ipv6-num.csv" "$table"
    kind="a generated table of the real size"
fi
with=$(measure)
networked=$("$binary" --locate 8.8.8.8 2>/dev/null | cut -f7,8)
echo "hoplot --locate 8.8.8.8, median of $runs runs: ${without} ms without the AS table," \
    "${with} ms with $kind ($(du -h "$table" | cut -f1)); network: ${networked:-none}"
