#!/usr/bin/env bash
# The real window traces in the test network: the whole end-to-end run (tests/gui/e2e/
# window_trace.py) happens inside the client namespace, X server and accessibility bus included.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/topology.sh"
topology_require_root
: "${HOPLOT_BINARY:?HOPLOT_BINARY must name the built hoplot}"
topology_up || exit 1
export R1_NAME R1_ADDRESS R3_NAME R3_ADDRESS DEST_NAME DEST_ADDRESS
ip netns exec "$NS_CLIENT" bash "$here/../gui/e2e/run_e2e.sh" "$here/../gui/e2e/window_trace.py"
