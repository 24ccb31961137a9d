# The Debian package: `cmake --build build --target package` writes
# chromalune_<version>-<revision>_<arch>.deb into the build folder (CPack's DEB generator).
# What it holds is what `cmake --install` puts under the prefix, here /usr, plus the manual
# page and the Debian documents installed below.
set(CHROMALUNE_MAINTAINER "Moonquill <chromalune@moonquill-software.com>")
set(CHROMALUNE_DEB_REVISION 1)
set(CHROMALUNE_DEB_VERSION ${PROJECT_VERSION}-${CHROMALUNE_DEB_REVISION})
set(CHROMALUNE_MAN_DATE "December 2026")

# gzip -n leaves out the name and time stamp, so the same sources give the same bytes
find_program(CHROMALUNE_GZIP gzip REQUIRED)
set(doc_build ${CMAKE_CURRENT_BINARY_DIR}/packaging)
configure_file(${CMAKE_CURRENT_LIST_DIR}/chromalune.1.in ${doc_build}/chromalune.1 @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${doc_build}/changelog.Debian @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${doc_build}/copyright @ONLY)
add_custom_command(
    OUTPUT ${doc_build}/chromalune.1.gz ${doc_build}/changelog.Debian.gz
    COMMAND ${CHROMALUNE_GZIP} -9nkf ${doc_build}/chromalune.1 ${doc_build}/changelog.Debian
    DEPENDS ${doc_build}/chromalune.1 ${doc_build}/changelog.Debian
    COMMENT "Compressing the manual page and the Debian changelog"
    VERBATIM)
add_custom_target(chromalune_docs ALL
                  DEPENDS ${doc_build}/chromalune.1.gz ${doc_build}/changelog.Debian.gz)
install(FILES ${doc_build}/chromalune.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# the package's documents go under its own name (CMAKE_INSTALL_DOCDIR would use the project's)
install(FILES ${doc_build}/copyright ${doc_build}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/chromalune)
# the tags lintian is told to leave out, each with its reason in the file
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME chromalune)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME chromalune)
set(CPACK_PACKAGE_VENDOR Moonquill)
set(CPACK_PACKAGE_CONTACT ${CHROMALUNE_MAINTAINER})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "colour scheme picker for web designers")
# lines of at most 79 characters, as Debian's tools show them
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "ChromaLune picks a scheme of three colours on a hue wheel and takes it\n"
    "into a web page. One of five scheme rules (complementary, analogous,\n"
    "split complementary, triad, monochromatic) finds two colours to go with\n"
    "the one under the pointer, and each is shown as decimal value, HTML code,\n"
    "web-safe code and red, green and blue parts; a click on a code copies it.\n"
    "\n"
    "It previews logos, a page, tables, links and a scroll bar in the scheme,\n"
    "writes the HTML for them, converts between colour notations, checks the\n"
    "contrast of the scheme and exports it as CSS, SCSS, design tokens or a\n"
    "GIMP or Adobe palette, also from the command line without a display.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CHROMALUNE_DEB_REVISION})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.moonquill-software.com/chromalune/")
# the libraries' own packages, as dpkg-shlibdeps finds them from what the program links
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# and what it loads at run time, which dpkg-shlibdeps cannot see: Qt's WebP and TIFF readers,
# for a palette taken from a picture in those formats
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-image-formats-plugins)
# Qt's Wayland plugin: without it the program still runs on a Wayland desktop, through
# XWayland, so it is recommended rather than required
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# What lintian --pedantic --display-info still says, and why it stays:
# - package-contains-documentation-outside-usr-share-doc: the program reads the files in
#   /usr/share/chromalune at run time. The .txt files are the preview's pixel lists, data
#   rather than text for people, and Chromalune.html is the page its Help menu opens; both
#   belong with the program, not under /usr/share/doc, which a system may leave out.
include(CPack)
