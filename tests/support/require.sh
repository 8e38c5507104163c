# shellcheck shell=bash
# Sourced by test scripts: what a test needs and does not find makes it skip (exit 77), or fail
# under CI=true, where every test must really run.

require_skip() {
    if [ "${CI:-}" = true ]; then
        echo "FAIL under CI: $*" >&2
        exit 1
    fi
    echo "skipped: $*"
    exit 77
}

# require_tools TOOL...: each a command on the PATH or an executable path.
require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || require_skip "missing $tool (scripts/test-packages.txt)"
    done
}

require_root() { [ "$(id -u)" -eq 0 ] || require_skip "$* needs root"; }
