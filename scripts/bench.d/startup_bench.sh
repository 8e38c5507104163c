#!/usr/bin/env bash
# Start-up and opening, each beside its floor, run by run alternating on one Xvfb display:
#   window   exec of hoplot to its main window mapped with the map painted, beside an empty Qt
#            main window with a menu bar and a status bar (hoplot_empty_window, the toolkit's
#            floor); both as large as the screen, as Hoplot opens without kept settings;
#   file     exec of hoplot big.trc to the window showing that file (its title names it and the
#            window has drawn since), big.trc being 3,000 traces of 15 hops generated here;
#   open     File > Open of big.trc in the window, from the file dialog's answer to the file
#            shown (hoplot_open_clock, in one process);
#   render   hoplot --render of the flat world, whole process, beside a Qt Gui program that
#            saves a blank PNG of the same size (hoplot_blank_picture).
# Prints the medians in milliseconds with the ratio or the target. HOPLOT_BENCH_RUNS (default 21;
# a start moves by several milliseconds from run to run) sets the runs; HOPLOT_BUILD picks the
# build tree (default: the Release tree of scripts/bench).
# Repeat with: scripts/bench.d/startup_bench.sh (after scripts/bench has built build-bench).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${HOPLOT_BUILD:-$root/build-bench}
runs=${HOPLOT_BENCH_RUNS:-21}
tools=$build/bench-tools
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "missing tool: $tool (scripts/test-packages.txt)" >&2
        exit 1
    fi
done
if [ ! -x "$tools/hoplot_window_clock" ]; then
    echo "startup_bench: skipped, no window clock (needs libxcb-damage0-dev, scripts/packages.txt)"
    exit 0
fi
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# A display of our own: the first free number from 70.
display=70
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=:$display
for _ in $(seq 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done

# 3,000 traces of 15 hops and "Done": routers named after their towns, addresses all over the
# public IPv4 space, as GeoIP, the host-name rules and the caches place them.
python3 - "$work/big.trc" <<'EOF_PY'
import random, sys
random.seed(25)
towns = ['lon', 'par', 'fra', 'ams', 'nyc', 'lax', 'chi', 'sea', 'tok', 'syd', 'sin', 'hkg']
lands = ['uk', 'fr', 'de', 'nl', 'us', 'us', 'us', 'us', 'jp', 'au', 'sg', 'hk']
parts = ['3000 ']
for t in range(3000):
    parts.append('host%d.example.org 16 ' % t)
    for hop in range(15):
        i = random.randrange(len(towns))
        name = 'ae-%d.r%02d.%s%02d.%s.example.net' % (hop, random.randrange(40), towns[i],
                                                      random.randrange(9), lands[i])
        address = '%d.%d.%d.%d' % (random.randrange(1, 224), random.randrange(256),
                                   random.randrange(256), random.randrange(1, 255))
        parts.append('0 %s %s %4dms ' % (name, address, random.randrange(1, 300)))
    parts.append('16711680 Done ')
open(sys.argv[1], 'w').write(''.join(parts))
EOF_PY

hoplot=$build/src/hoplot
# Milliseconds of one whole command.
time_ms() {
    local started
    started=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    echo "$((($(date +%s%N) - started) / 1000))" | awk '{printf "%.1f", $1 / 1000}'
}
clock() { "$tools/hoplot_window_clock" "$@" 2>/dev/null || echo fail; }

declare -A times
for _ in $(seq "$runs"); do
    times[empty]+="$(clock "$tools/hoplot_empty_window") "
    times[window]+="$(clock "$hoplot") "
    times[file]+="$(clock --title "Hoplot - big.trc" "$hoplot" "$work/big.trc") "
    times[blank]+="$(time_ms "$tools/hoplot_blank_picture" "$work/blank.png" 831 572) "
    times[render]+="$(time_ms "$hoplot" --render "$work/render.png") "
done
open=$("$tools/hoplot_open_clock" "$work/big.trc" "$runs" 2>/dev/null || echo fail)

median() { tr ' ' '\n' | grep . | sort -n | awk '{v[NR] = $1} END {if (NR == 0) print "-"; else print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (a + 0 > 0 && b + 0 > 0) printf "%.2f", a / b; else print "-"}'; }
for key in "${!times[@]}"; do
    if grep -q fail <<<"${times[$key]}"; then echo "startup_bench: a run of $key failed" >&2; fi
done
empty=$(median <<<"${times[empty]}")
window=$(median <<<"${times[window]}")
blank=$(median <<<"${times[blank]}")
render=$(median <<<"${times[render]}")
echo "start-up medians over $runs runs alternating (ms); repeat: scripts/bench.d/startup_bench.sh"
printf '%-44s %9s %9s %7s %7s\n' figure hoplot floor ratio goal
printf '%-44s %9s %9s %7s %7s\n' "window: exec to main window, map painted" "$window" "$empty" \
    "$(ratio "$window" "$empty")" "1.3x"
printf '%-44s %9s %9s %7s %7s\n' "file: exec to big.trc shown (3,000 traces)" \
    "$(median <<<"${times[file]}")" "-" "-" "1000"
printf '%-44s %9s %9s %7s %7s\n' "open: File > Open of big.trc" "$open" "-" "-" "500"
printf '%-44s %9s %9s %7s %7s\n' "render: --render 831x572, whole process" "$render" "$blank" \
    "$(ratio "$render" "$blank")" "1.5x"
