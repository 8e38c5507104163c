#!/usr/bin/env bash
# cpack -G DEB in the build tree: the package holds the programs, the tracked data and no
# downloaded database, the desktop files and the manual; its Depends come from the libraries;
# its postinst grants the capability or says what to do instead; lintian finds no error,
# appstreamcli accepts the metainfo, man renders the pages without a warning and they name every
# option and setting; the unpacked programs find their data and each other. Under CI=true (a
# throwaway machine, as root) the package is also installed, run from /usr/bin and purged.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../support/require.sh"
require_tools dpkg-deb cpack lintian appstreamcli man desktop-file-validate update-mime-database
: "${HOPLOT_BUILD_DIR:?HOPLOT_BUILD_DIR must name the build tree}"
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

work=$(mktemp -d)
installed=no
cleanup() {
    [ $installed = yes ] && dpkg -P hoplot >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$HOPLOT_BUILD_DIR/CMakeCache.txt")
deb=$work/hoplot_$version-1_$(dpkg --print-architecture).deb
cpack -G DEB --config "$HOPLOT_BUILD_DIR/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; exit 1; }
[ -f "$deb" ] || { echo "FAIL: cpack made no $deb: $(ls "$work")" >&2; exit 1; }

# Every file, and nothing else: the data is what git tracks in data/, so that neither the GeoIP
# and AS databases that setup fetched nor a developer's update.cache slips in.
tracked_data() {
    if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git -C "$source_dir" ls-files data
    else
        (cd "$source_dir" && find data -type f ! -path 'data/geoip/*' ! -path 'data/asn/*' \
            ! -name update.cache)
    fi
}
{
    printf '%s\n' usr/bin/hoplot usr/bin/hoplot-cli usr/bin/hoplot-view usr/bin/hoplot-fetch-data \
        usr/share/applications/hoplot.desktop usr/share/mime/packages/hoplot.xml \
        usr/share/icons/hicolor/scalable/apps/hoplot.svg \
        usr/share/metainfo/org.hoplot.Hoplot.metainfo.xml usr/share/man/man1/hoplot.1.gz \
        usr/share/man/man1/hoplot-cli.1.gz usr/share/man/man1/hoplot-view.1.gz \
        usr/share/man/man1/hoplot-fetch-data.1.gz \
        usr/share/doc/hoplot/copyright usr/share/doc/hoplot/changelog.Debian.gz
    tracked_data | sed 's|^data/|usr/share/hoplot/|'
} | sort >"$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort >"$work/files"
diff -u "$work/expected" "$work/files" >"$work/files.diff" ||
    fail "the package's files differ from the expected ones: $(cat "$work/files.diff")"

# dpkg-shlibdeps gives versioned dependencies on the libraries the programs link; the SVG plugins
# are added by hand, since Qt loads them at run time.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6core6 libqt6gui6 libqt6widgets6 libmaxminddb0; do
    grep -qE "(^|, )${library}[^,]* \(>= " <<<"$depends" || fail "Depends lacks $library: $depends"
done
grep -qE '(^|, )libqt6svg6(,|$| )' <<<"$depends" || fail "Depends lacks libqt6svg6: $depends"
grep -q libcap2-bin <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "setcap is not recommended"

# The postinst, run against stand-ins for setcap: it grants the capability on configure, and when
# it cannot it says how to allow ping sockets instead, without failing the installation.
dpkg-deb -e "$deb" "$work/control"
postinst=$work/control/postinst
[ "$(stat -c %a "$postinst")" = 755 ] || fail "postinst is not executable"
mkdir "$work/granting" "$work/refusing"
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$work/setcap.log" >"$work/granting/setcap"
printf '#!/bin/sh\nexit 1\n' >"$work/refusing/setcap"
chmod +x "$work/granting/setcap" "$work/refusing/setcap"
PATH=$work/granting:/usr/bin:/bin sh "$postinst" configure || fail "postinst failed"
[ "$(cat "$work/setcap.log" 2>/dev/null)" = "cap_net_raw+ep /usr/bin/hoplot" ] ||
    fail "postinst did not grant cap_net_raw+ep to /usr/bin/hoplot"
for bin in "$work/refusing" /nonexistent; do
    note=$(PATH=$bin:/usr/bin:/bin sh "$postinst" configure 2>&1) || fail "postinst failed ($bin)"
    grep -q "ping_group_range = 0 2147483647" <<<"$note" || fail "no ping-socket advice: $note"
done

lintian --fail-on error "$deb" >"$work/lintian.txt" 2>&1 ||
    fail "lintian reports errors: $(cat "$work/lintian.txt")"
grep -v "running with root privileges" "$work/lintian.txt"

root=$work/root
dpkg-deb -x "$deb" "$root"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.hoplot.Hoplot.metainfo.xml" \
    >"$work/appstream.txt" 2>&1 || fail "metainfo: $(cat "$work/appstream.txt")"

# The manual: no warning from man, and every option and setting the program knows is in it.
for page in hoplot hoplot-fetch-data; do
    MANWIDTH=2000 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" \
        2>"$work/$page.warnings" | col -b >"$work/$page.txt"
    [ -s "$work/$page.warnings" ] && fail "man warns on $page.1: $(cat "$work/$page.warnings")"
done
for program in hoplot-cli hoplot-view; do
    [ "$(zcat "$root/usr/share/man/man1/$program.1.gz")" = ".so man1/hoplot.1" ] ||
        fail "$program.1 does not lead to hoplot.1"
done
options=$("$HOPLOT_BINARY" --help | grep -oE -- ' -[-a-z0-9]+' | sort -u)
settings=$(grep -oE 'read_(number|text)\("[^"]+"' "$source_dir/src/base/settings.cpp" | cut -d'"' -f2)
while IFS= read -r word; do
    [ -n "$word" ] && ! grep -qF -- "$word" "$work/hoplot.txt" && fail "hoplot.1 lacks $word"
done <<<"$options
$settings"

desktop-file-validate "$root/usr/share/applications/hoplot.desktop" || fail "menu entry is not valid"
grep -qx 'MimeType=application/x-hoplot-trace;' "$root/usr/share/applications/hoplot.desktop" ||
    fail "menu entry does not open trace files"
update-mime-database "$root/usr/share/mime" >"$work/mime.log" 2>&1 || fail "update-mime-database"
grep -q ':application/x-hoplot-trace:\*\.trc$' "$root/usr/share/mime/globs2" ||
    fail "*.trc is not application/x-hoplot-trace: $(cat "$root/usr/share/mime/globs2")"

# The unpacked programs read the data beside them (a host only its cache knows) and hoplot hands
# the drawing over to the hoplot-view beside it.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work HOME=$work \
    QT_QPA_PLATFORM=offscreen
chmod 700 "$work"
echo "10.99.1.2 installed.example 10 0N 20 0E" >>"$root/usr/share/hoplot/cache_files/hosts.cache"
located=$("$root/usr/bin/hoplot" --locate 10.99.1.2) || fail "unpacked --locate failed"
[ "$(cut -f5 <<<"$located")" = cache ] || fail "unpacked data not used: $located"
"$root/usr/bin/hoplot" --render "$work/map.png" --size 64x48 || fail "unpacked --render failed"
[ -s "$work/map.png" ] || fail "unpacked --render wrote no picture"

if [ "${CI:-}" = true ]; then
    require_root "installing the package"
    installed=yes
    dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || fail "dpkg -i failed: $(cat "$work/dpkg.log")"
    /usr/bin/hoplot --version | grep -qF "$version" || fail "/usr/bin/hoplot --version"
    getcap /usr/bin/hoplot | grep -q 'cap_net_raw=ep' ||
        fail "no capability: $(getcap /usr/bin/hoplot)"
    dpkg -L hoplot >"$work/listed"
    dpkg -P hoplot >"$work/purge.log" 2>&1 || fail "dpkg -P failed: $(cat "$work/purge.log")"
    installed=no
    while IFS= read -r path; do
        [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is left after dpkg -P"
    done <"$work/listed"
    [ ! -e /usr/share/hoplot ] || fail "/usr/share/hoplot is left after dpkg -P"
else
    echo "not installed: dpkg -i, getcap and dpkg -P run under CI=true only"
fi

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package checks passed"
