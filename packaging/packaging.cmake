# The Debian package: `cpack -G DEB` in a build tree makes hoplot_VERSION-1_ARCH.deb from the
# install rules, with the dependencies dpkg-shlibdeps finds in the programs.
set(CPACK_PACKAGE_NAME hoplot)
set(CPACK_PACKAGE_VENDOR "Varn Software")
set(CPACK_PACKAGE_CONTACT "Varn Software <support@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "visual traceroute that shows the route on a world map")
set(CPACK_PACKAGE_DESCRIPTION
    "Hoplot traces the route to an Internet host hop by hop with ICMP echo requests,
names every hop, places it on the globe (DNS LOC records, position cache files,
a GeoIP database, host-name rules) and draws the hops and the route on a world
map, flat or as a globe. Command-line modes trace, place and draw without a
display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the SVG plugins for the icons at run time, where dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
# setcap for the postinst; a downloader for hoplot-fetch-data.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libcap2-bin, curl | wget")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CMAKE_CURRENT_LIST_DIR}/postinst")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# What Debian asks of every package: the copyright and the package's own changelog.
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file("${CMAKE_CURRENT_LIST_DIR}/changelog.Debian.in" changelog.Debian @ONLY)
add_custom_command(OUTPUT changelog.Debian.gz
                   COMMAND gzip -9nkf changelog.Debian
                   DEPENDS "${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian" VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS changelog.Debian.gz)
install(FILES "${CMAKE_CURRENT_LIST_DIR}/copyright"
              "${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz"
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(CPack)
