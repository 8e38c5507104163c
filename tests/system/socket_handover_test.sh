#!/usr/bin/env bash
# hoplot opens the ICMP and ICMPv6 sockets and hands them over to hoplot-view, which traces over
# them holding no capability. And without a display, hoplot says so instead of letting Qt abort.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../support/require.sh"
: "${HOPLOT_BINARY:?HOPLOT_BINARY must name the built hoplot}"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$HOPLOT_BINARY" 2>&1)
status=$?
[ $status -eq 1 ] || fail "no display: exit status $status, not 1"
if [ "$(wc -l <<<"$output")" -ne 1 ] || ! grep -q -- "--report" <<<"$output"; then
    fail "no display: not one line naming the modes without one: $output"
fi

require_root "handing the socket over as another user"
require_tools setcap setpriv unshare

work=$(mktemp -d)
viewer=""
cleanup() {
    [ -n "$viewer" ] && kill "$viewer" 2>/dev/null && wait "$viewer" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
mkdir "$work/plain" "$work/granted"
for dir in plain granted; do
    cp "$HOPLOT_BINARY" "$(dirname "$HOPLOT_BINARY")/hoplot-view" "$work/$dir/"
done
setcap cap_net_raw+ep "$work/granted/hoplot"

# start_window DIR USER: the window through DIR/hoplot, as USER, in a network namespace of its own
# where ping sockets are allowed; sets viewer to its process, which becomes hoplot-view.
start_window() {
    local as_user=() home=$work/home-$2
    [ "$2" = root ] || as_user=(setpriv --reuid="$2" --regid=nogroup --clear-groups --inh-caps=-all)
    [ -d "$home" ] || mkdir -m 700 "$home"
    chown "$2" "$home"
    unshare --net bash -c 'sysctl -qw net.ipv4.ping_group_range="0 2147483647" && exec "$@"' - \
        "${as_user[@]}" env HOME="$home" XDG_CONFIG_HOME="$home" \
        XDG_RUNTIME_DIR="$home" QT_QPA_PLATFORM=offscreen "$1/hoplot" &
    viewer=$!
    local tries=0
    until [ "$(readlink "/proc/$viewer/exe")" = "$1/hoplot-view" ]; do
        tries=$((tries + 1))
        [ $tries -le 100 ] || return 1
        sleep 0.1
    done
}

# sockets PID: "FAMILY TYPE PROTOCOL" of each socket the process holds, taken from a copy of
# its descriptor (pidfd_getfd), as the kernel reports them; a ping socket that has not sent yet
# shows nowhere in /proc/net.
sockets() {
    /usr/bin/python3 - "$1" <<'PY'
import ctypes, os, socket, sys
pid = int(sys.argv[1])
pidfd = os.pidfd_open(pid)
syscall = ctypes.CDLL(None, use_errno=True).syscall
for number in os.listdir(f"/proc/{pid}/fd"):
    if not os.readlink(f"/proc/{pid}/fd/{number}").startswith("socket:"):
        continue
    fd = syscall(438, pidfd, int(number), 0)  # pidfd_getfd
    if fd >= 0:
        with socket.socket(fileno=fd) as copy:
            print(copy.family.name, copy.type.name, copy.proto)
PY
}

# expect_window CASE DIR USER TYPE: hoplot-view holds no capability, and an ICMP and an ICMPv6
# socket of the type (SOCK_RAW or SOCK_DGRAM); a raw one shows in /proc/net/raw of its namespace.
expect_window() {
    local name=$1 type=$4 set
    if ! start_window "$2" "$3"; then
        fail "$name: hoplot-view did not start"
        return
    fi
    sleep 0.5
    for set in CapInh CapPrm CapEff CapAmb; do
        grep -qx "$set:[[:space:]]*0*" "/proc/$viewer/status" ||
            fail "$name: hoplot-view holds capabilities: $(grep "^$set" "/proc/$viewer/status")"
    done
    held=$(sockets "$viewer")
    grep -qx "AF_INET $type 1" <<<"$held" || fail "$name: no ICMP $type socket among: $held"
    grep -qx "AF_INET6 $type 58" <<<"$held" || fail "$name: no ICMPv6 $type socket among: $held"
    [ "$type" = SOCK_RAW ] && [ "$(awk 'NR > 1 && $10 != 0' "/proc/$viewer/net/raw" | wc -l)" -ne 1 ] &&
        fail "$name: /proc/net/raw: $(cat "/proc/$viewer/net/raw")"
    kill "$viewer"
    wait "$viewer" 2>/dev/null
    viewer=""
}

expect_window "cap_net_raw granted" "$work/granted" nobody SOCK_RAW
expect_window "run as root" "$work/plain" root SOCK_RAW
expect_window "no capability, ping sockets allowed" "$work/plain" nobody SOCK_DGRAM

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "socket hand-over checks passed"
