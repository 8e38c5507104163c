#!/usr/bin/env bash
# hoplot opens the ICMP and ICMPv6 sockets and hands them over to hoplot-view or hoplot-cli,
# which trace over them holding no capability; hoplot itself loads no Qt library. And without a
# display, hoplot says so instead of letting Qt abort.
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

needed=$(readelf -d "$HOPLOT_BINARY" | grep NEEDED)
grep -qi qt <<<"$needed" && fail "hoplot loads a Qt library: $needed"

require_root "handing the socket over as another user"
require_tools setcap setpriv unshare

work=$(mktemp -d)
child=""
cleanup() {
    [ -n "$child" ] && kill "$child" 2>/dev/null && wait "$child" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
mkdir "$work/plain" "$work/granted"
for dir in plain granted; do
    cp "$HOPLOT_BINARY" "$(dirname "$HOPLOT_BINARY")"/hoplot-{cli,view} "$work/$dir/"
done
setcap cap_net_raw+ep "$work/granted/hoplot"

# start DIR USER PROGRAM [ARG...]: DIR/hoplot with the arguments, as USER, in a network namespace
# of its own where ping sockets are allowed and 10.9.9.0/24 is a link where nobody answers; sets
# child to its process once it has become DIR/PROGRAM.
start() {
    local dir=$1 user=$2 program=$3 as_user=() home=$work/home-$2
    shift 3
    [ "$user" = root ] ||
        as_user=(setpriv --reuid="$user" --regid=nogroup --clear-groups --inh-caps=-all)
    [ -d "$home" ] || mkdir -m 700 "$home"
    chown "$user" "$home"
    unshare --net bash -c 'sysctl -qw net.ipv4.ping_group_range="0 2147483647" &&
        ip link add nowhere type veth peer name deaf && ip address add 10.9.9.1/24 dev nowhere &&
        ip link set nowhere up && ip link set deaf up && exec "$@"' - \
        "${as_user[@]}" env HOME="$home" XDG_CONFIG_HOME="$home" \
        XDG_RUNTIME_DIR="$home" QT_QPA_PLATFORM=offscreen "$dir/hoplot" "$@" >/dev/null &
    child=$!
    local tries=0
    until [ "$(readlink "/proc/$child/exe")" = "$dir/$program" ]; do
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

# expect CASE DIR USER TYPE PROGRAM [ARG...]: PROGRAM holds no capability, and an ICMP and an
# ICMPv6 socket of the type (SOCK_RAW or SOCK_DGRAM); a raw one shows in /proc/net/raw of its
# namespace.
expect() {
    local name=$1 dir=$2 user=$3 type=$4 program=$5 set
    shift 5
    if ! start "$dir" "$user" "$program" "$@"; then
        fail "$name: $program did not start"
        return
    fi
    sleep 0.5
    for set in CapInh CapPrm CapEff CapAmb; do
        grep -qx "$set:[[:space:]]*0*" "/proc/$child/status" ||
            fail "$name: $program holds capabilities: $(grep "^$set" "/proc/$child/status")"
    done
    held=$(sockets "$child")
    grep -qx "AF_INET $type 1" <<<"$held" || fail "$name: no ICMP $type socket among: $held"
    grep -qx "AF_INET6 $type 58" <<<"$held" || fail "$name: no ICMPv6 $type socket among: $held"
    [ "$type" = SOCK_RAW ] &&
        [ "$(awk 'NR > 1 && $10 != 0' "/proc/$child/net/raw" | wc -l)" -ne 1 ] &&
        fail "$name: /proc/net/raw: $(cat "/proc/$child/net/raw")"
    kill "$child"
    wait "$child" 2>/dev/null
    child=""
}

expect "window, cap_net_raw granted" "$work/granted" nobody SOCK_RAW hoplot-view
expect "window, run as root" "$work/plain" root SOCK_RAW hoplot-view
expect "window, no capability, ping sockets allowed" "$work/plain" nobody SOCK_DGRAM hoplot-view
# A trace into nowhere waits for its answers long enough to be looked at.
expect "--report, cap_net_raw granted" "$work/granted" nobody SOCK_RAW hoplot-cli \
    --report 10.9.9.2
expect "--report, no capability, ping sockets allowed" "$work/plain" nobody SOCK_DGRAM hoplot-cli \
    --report 10.9.9.2

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "socket hand-over checks passed"
