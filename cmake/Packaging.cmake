# The Debian package: `cpack -G DEB` in a Release build configured with the prefix /usr
# (scripts/package.sh does both). Library dependencies come from dpkg-shlibdeps; the ones added by
# hand are what the programs use without linking to it: Qt's Russian dialog texts, the Liberation
# faces that stand in for the fonts the windows name, and xdg-open for the help page and the
# About box's mail links.
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
include(packaging/Changelog.cmake)
option(VORNIK_ALLOW_EXAMPLE_CONTACTS "Let cpack package the example.org contact and web addresses" OFF)
set(CPACK_PACKAGE_NAME vornik)
set(CPACK_PACKAGE_VENDOR "Vornik")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator of three-phase AC circuits for teaching")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Worked solutions and phasor diagrams of star and delta loads in the normal
mode and in emergency modes (short circuit of a phase, break of a line wire,
break of a load phase), written formula by formula in Russian. vornik-cli
runs the same calculation from the command line, as text or JSON.")
set(CPACK_PACKAGE_CONTACT "Vornik <${VORNIK_CONTACT_EMAIL1}>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-writer")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VORNIK_WEB_URL}")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/COPYING)
set(CPACK_VORNIK_BUILD_TYPE "${CMAKE_BUILD_TYPE}")
set(CPACK_VORNIK_ALLOW_EXAMPLE_CONTACTS ${VORNIK_ALLOW_EXAMPLE_CONTACTS})
set(CPACK_VORNIK_CONTACTS ${VORNIK_CONTACT_EMAIL1} ${VORNIK_CONTACT_EMAIL2} ${VORNIK_WEB_URL} ${VORNIK_APP_ID})
configure_file(packaging/PackageChecks.cmake.in ${PROJECT_BINARY_DIR}/PackageChecks.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/PackageChecks.cmake)
include(CPack)
