#!/usr/bin/env bash
# Runs one end-to-end test of the real window: run_e2e.sh TEST.py [ARGUMENTS...]. The test, a
# Python script using hoplot_e2e.py, runs with a private X server (Xvfb), a D-Bus session with
# the accessibility bus and fresh settings; all of it goes away afterwards, also when the test
# fails or is interrupted. It works inside a network namespace too, as a whole:
# ip netns exec NS run_e2e.sh TEST.py. Screenshots go to HOPLOT_E2E_ARTIFACTS (./e2e-artifacts).
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../support/require.sh"
if [ $# -lt 1 ]; then
    echo "usage: run_e2e.sh TEST.py [ARGUMENTS...]" >&2
    exit 2
fi
: "${HOPLOT_BINARY:?HOPLOT_BINARY must name the built hoplot}"
require_tools Xvfb dbus-run-session xdotool import /usr/libexec/at-spi-bus-launcher /usr/bin/python3
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    require_skip "missing python3-pyatspi (scripts/test-packages.txt)"

work=$(mktemp -d)
xvfb=""
session=""
cleanup() {
    # The session's process group holds the bus, the accessibility registry and the program.
    [ -n "$session" ] && kill -TERM -- -"$session" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A free display, away from the low numbers that people and other scripts pick by hand.
start_xvfb() {
    local number
    for number in $(shuf -i 100-999 -n 20); do
        [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 1400x900x24 -nolisten tcp 2>"$work/xvfb.log" &
        xvfb=$!
        for _ in $(seq 100); do
            if [ -S "/tmp/.X11-unix/X$number" ]; then
                display=":$number"
                return 0
            fi
            kill -0 "$xvfb" 2>/dev/null || break
            sleep 0.1
        done
        kill "$xvfb" 2>/dev/null
        wait "$xvfb" 2>/dev/null
        xvfb=""
    done
    return 1
}
display=""
if ! start_xvfb; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi

mkdir -m 700 "$work/runtime" "$work/home"
export DISPLAY=$display QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home
export XDG_CONFIG_HOME=$work/home/config XDG_DATA_HOME=$work/home/data
export HOPLOT_E2E_ARTIFACTS=${HOPLOT_E2E_ARTIFACTS:-$PWD/e2e-artifacts}
export PYTHONPATH=$here${PYTHONPATH:+:$PYTHONPATH}
unset WAYLAND_DISPLAY QT_QPA_PLATFORM # ctest's environment chooses offscreen for the widget tests

# setsid makes the session a process group of its own, for the clean-up to end as a whole.
setsid dbus-run-session -- bash -c '/usr/libexec/at-spi-bus-launcher --launch-immediately &
    sleep 0.7
    exec /usr/bin/python3 "$@"' - "$@" &
session=$!
wait "$session"
