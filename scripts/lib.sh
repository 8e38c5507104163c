# Shared by scripts/run and scripts/test. Source it; it defines functions only.

hoplot_root() { cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"
    elif command -v sudo >/dev/null; then sudo "$@"
    else echo "hoplot: need root (or sudo) to run: $*" >&2; return 1
    fi
}

# Installs the packages listed in the given files that are not installed yet.
install_packages() {
    local missing=()
    local package
    for package in $(grep -hv '^#' "$@"); do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "hoplot: installing ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# Configures and builds the tree of one preset of CMakePresets.json (build/ for "default",
# build-NAME/ for the others): build_tree NAME [TARGET...], every target unless some are named.
# A tree not configured from the presets as they are now is configured afresh, so that an option
# changed or dropped there never lingers in an old cache.
build_tree() {
    local preset=$1 root dir stamp targets=("${@:2}")
    root=$(hoplot_root)
    dir=$root/build
    [ "$preset" = default ] || dir+=-$preset
    stamp="$preset $(cmake --version | head -1) $(sha256sum "$root/CMakePresets.json" | cut -d' ' -f1)"
    if [ ! -f "$dir/CMakeCache.txt" ] || [ "$(cat "$dir/.hoplot-preset" 2>/dev/null)" != "$stamp" ]; then
        (cd "$root" && cmake --preset "$preset" --fresh >/dev/null)
        echo "$stamp" >"$dir/.hoplot-preset"
    fi
    (cd "$root" && cmake --build --preset "$preset" -j "$(nproc)" ${targets[@]:+--target "${targets[@]}"})
}

# Lets the built program open a raw ICMP socket (it drops the capability once the socket is
# open), when we have the right to grant it; otherwise it falls back to ping sockets.
grant_raw_capability() {
    local binary=$1 setcap_tool
    setcap_tool=$(command -v setcap || echo /usr/sbin/setcap)
    [ -x "$setcap_tool" ] && [ -f "$binary" ] || return 0
    if [ "$(id -u)" -eq 0 ]; then "$setcap_tool" cap_net_raw+ep "$binary"
    elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
        sudo -n "$setcap_tool" cap_net_raw+ep "$binary"
    fi || echo "hoplot: could not grant cap_net_raw to $binary" >&2
    return 0
}

# The databases the package leaves out (GeoIP and AS, CC BY 4.0), into data/ of the source tree
# with the command the package installs for its users; the AS one is converted by the hoplot of
# the build tree, so this comes after the build. Optional: without npm or the registry Hoplot runs
# with GeoIP off and no AS names, and this says so instead of failing.
fetch_databases() {
    command -v npm >/dev/null || install_packages "$(hoplot_root)/scripts/geoip-packages.txt" ||
        true
    HOPLOT_PROGRAM="$(hoplot_root)/build/src/hoplot" timeout 600 \
        "$(hoplot_root)/scripts/hoplot-fetch-data" "$(hoplot_root)/data" ||
        echo "hoplot: carrying on; without its databases GeoIP is off and networks are not named" >&2
}
