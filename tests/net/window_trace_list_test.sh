#!/usr/bin/env bash
# The real window's trace list and File > Open (tests/gui/e2e/window_trace_list.py), tracing on
# loopback in a network namespace of its own: X server and accessibility bus included, and a
# resolver that answers nothing at once.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/topology.sh"
topology_require_root
: "${HOPLOT_BINARY:?HOPLOT_BINARY must name the built hoplot}"

ns="hoplot$$-loop"
cleanup() {
    ip netns pids "$ns" 2>/dev/null | xargs -r kill 2>/dev/null
    ip netns delete "$ns" 2>/dev/null
    rm -rf "/etc/netns/$ns"
}
trap cleanup EXIT
ip netns add "$ns" || exit 1
ip -n "$ns" link set lo up
mkdir -p "/etc/netns/$ns"
echo "nameserver 127.0.0.1" >"/etc/netns/$ns/resolv.conf"
printf '127.0.0.1 localhost\n' >"/etc/netns/$ns/hosts"
ip netns exec "$ns" bash "$here/../gui/e2e/run_e2e.sh" "$here/../gui/e2e/window_trace_list.py"
