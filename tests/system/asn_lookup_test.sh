#!/usr/bin/env bash
# hoplot --locate --json names the network an independent look-up in the same CSV files finds,
# for random addresses of both families and for every range's edges, after the files went
# through hoplot --convert-asn as hoplot-fetch-data passes them; documentation space has no AS.
# The files are made here (ranges that touch, nest and cross, quoted names); HOPLOT_ASN_CSV_DIR
# names a folder with the package's asn-ipv4-num.csv and asn-ipv6-num.csv to check those instead.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../support/require.sh"
require_tools python3
: "${HOPLOT_BINARY:?HOPLOT_BINARY must name the built hoplot}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work
csv_dir=${HOPLOT_ASN_CSV_DIR:-$work}
table="$work/data/Varn Software/Hoplot/asn/asn.bin"

if [ -z "${HOPLOT_ASN_CSV_DIR:-}" ]; then
    python3 - "$work" <<'EOF_PY' || exit 1
import random, sys
random.seed(23)
def write(path, bits, count):
    top, rows, at = (1 << bits) - 1, [], 1 << (bits - 8)
    for i in range(count):
        at += random.choice([0, 1, random.randrange(1 << (bits - 20))])
        length = random.randrange(1, 1 << (bits - 22))
        if at + length > top: break
        name = random.choice(['Plain Net %d' % i, 'Comma, Inc. %d' % i, 'Quote "Q" %d' % i])
        rows.append((at, at + length - 1, 64496 + i, name))
        at += length
    # Nested and crossing ranges, as the package holds a few.
    for _ in range(count // 40):
        a = random.choice(rows)
        first = random.randrange(a[0], a[1] + 1)
        rows.append((first, first + random.randrange(1, 1 << (bits - 21)), 4200000000 + len(rows),
                     'Overlay %d' % len(rows)))
    rows.sort(key=lambda r: r[0])
    with open(path, 'w') as out:
        for first, last, asn, name in rows:
            if ',' in name or '"' in name: name = '"' + name.replace('"', '""') + '"'
            out.write('%d,%d,%d,%s\n' % (first, last, asn, name))
write(sys.argv[1] + '/asn-ipv4-num.csv', 32, 1500)
write(sys.argv[1] + '/asn-ipv6-num.csv', 128, 1500)
EOF_PY
fi

"$HOPLOT_BINARY" --convert-asn "$csv_dir/asn-ipv4-num.csv" "$csv_dir/asn-ipv6-num.csv" "$table" ||
    { echo "FAIL: the conversion failed" >&2; exit 1; }

python3 - "$HOPLOT_BINARY" "$csv_dir" <<'EOF_PY'
import bisect, csv, ipaddress, json, random, subprocess, sys
program, folder = sys.argv[1], sys.argv[2]
random.seed(1)
failures = 0

def ranges(name):
    rows = [(int(a), int(b), i, int(n), o)
            for i, (a, b, n, o) in enumerate(csv.reader(open(folder + '/' + name, encoding='utf-8')))]
    rows.sort(key=lambda r: (r[0], -r[1], r[2]))
    ends, most = [], -1
    for r in rows:
        most = max(most, r[1])
        ends.append(most)
    return rows, [r[0] for r in rows], ends

# Of the ranges holding the number, the last in (first, -last, line) order: the one that starts
# latest, the narrowest of those, the last written of those.
def network(table, number):
    rows, starts, ends = table
    i, best = bisect.bisect_right(starts, number), None
    while i > 0 and ends[i - 1] >= number:
        i -= 1
        r = rows[i]
        if r[1] >= number and (best is None or (r[0], -r[1], r[2]) > (best[0], -best[1], best[2])):
            best = r
    return None if best is None else (best[3], best[4])

def located(address):
    out = subprocess.run([program, '--locate', address, '--json'], capture_output=True, text=True)
    document = json.loads(out.stdout)
    return (document['asn'], document['as_name']) if 'asn' in document else None

checked = 0
for bits, name in ((32, 'asn-ipv4-num.csv'), (128, 'asn-ipv6-num.csv')):
    table = ranges(name)
    make = ipaddress.IPv4Address if bits == 32 else ipaddress.IPv6Address
    numbers = [random.randrange(1 << bits) for _ in range(60)]
    # The edges of a sample of the ranges and of every overlay made above.
    overlays = [r for r in table[0] if r[3] >= 4200000000]
    for r in random.sample(table[0], min(30, len(table[0]))) + overlays:
        numbers += [r[0] - 1, r[0], r[1], r[1] + 1, random.randrange(r[0], r[1] + 1)]
    for number in numbers:
        if not 0 <= number < 1 << bits: continue
        address = str(make(number))
        want, got = network(table, number), located(address)
        checked += 1
        if want != got:
            failures += 1
            print('FAIL: %s: hoplot says %r, the CSV %r' % (address, got, want), file=sys.stderr)

for address in ('192.0.2.0', '192.0.2.77', '192.0.2.255', '2001:db8::', '2001:db8:1234::1',
                '2001:db8:ffff:ffff:ffff:ffff:ffff:ffff'):
    got = located(address)
    checked += 1
    if got is not None:
        failures += 1
        print('FAIL: documentation address %s has %r' % (address, got), file=sys.stderr)
print('%d addresses checked, %d disagreements' % (checked, failures))
sys.exit(1 if failures else 0)
EOF_PY
