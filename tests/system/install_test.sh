#!/usr/bin/env bash
# cmake --install into a temporary prefix: programs, data, help, menu entry, trace file type and
# icon land in their usual places, and the installed programs find their data and each other.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../support/require.sh"
require_tools desktop-file-validate update-mime-database
: "${HOPLOT_BUILD_DIR:?HOPLOT_BUILD_DIR must name the build tree}"
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

cmake --install "$HOPLOT_BUILD_DIR" --prefix "$prefix" >"$work/install.log" ||
    { cat "$work/install.log" >&2; exit 1; }

for program in hoplot hoplot-view; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed"
done
expected=(share/hoplot/maps/map.cil.4.256 share/hoplot/maps/cities.file.1
          share/hoplot/cache_files/hosts.cache share/hoplot/help/index.html
          share/applications/hoplot.desktop share/mime/packages/hoplot.xml
          share/icons/hicolor/scalable/apps/hoplot.svg)
while IFS= read -r page; do expected+=("share/hoplot/help/$page"); done < \
    <(cd "$source_dir/data/help" && find . -type f -printf '%P\n')
for file in "${expected[@]}"; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done

desktop-file-validate "$prefix/share/applications/hoplot.desktop" || fail "menu entry is not valid"
grep -qx 'MimeType=application/x-hoplot-trace;' "$prefix/share/applications/hoplot.desktop" ||
    fail "menu entry does not open trace files"
update-mime-database "$prefix/share/mime" >"$work/mime.log" 2>&1 || fail "update-mime-database"
grep -q ':application/x-hoplot-trace:\*\.trc$' "$prefix/share/mime/globs2" ||
    fail "*.trc is not application/x-hoplot-trace: $(cat "$prefix/share/mime/globs2")"

# The installed programs read the installed data (a host only its cache knows) and hoplot hands
# the drawing over to the hoplot-view beside it.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work HOME=$work \
    QT_QPA_PLATFORM=offscreen
chmod 700 "$work"
echo "10.99.1.2 installed.example 10 0N 20 0E" >>"$prefix/share/hoplot/cache_files/hosts.cache"
located=$("$prefix/bin/hoplot" --locate 10.99.1.2) || fail "installed --locate failed"
[ "$(cut -f5 <<<"$located")" = cache ] || fail "installed data not used: $located"
"$prefix/bin/hoplot" --render "$work/map.png" --size 64x48 || fail "installed --render failed"
[ -s "$work/map.png" ] || fail "installed --render wrote no picture"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "install checks passed"
