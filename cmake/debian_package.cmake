# A Debian package of the X11 module, zelor-bodies, the samples and the
# manual pages: scripts/build_deb.sh builds it with Debian's hardening flags
# (cpack -G DEB in any build folder works too). Its changelog and copyright
# go where Debian's policy puts them, the changelog compressed as lintian
# wants it.
include(GNUInstallDirs)
set(ZELOR_DEB_DOCS ${CMAKE_INSTALL_DATADIR}/doc/zelor2)
set(ZELOR_DEB_CHANGELOG ${CMAKE_BINARY_DIR}/changelog.Debian)
add_custom_command(OUTPUT ${ZELOR_DEB_CHANGELOG}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/deb/changelog ${ZELOR_DEB_CHANGELOG}
  COMMAND gzip -9nf ${ZELOR_DEB_CHANGELOG}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/deb/changelog VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${ZELOR_DEB_CHANGELOG}.gz)
install(FILES ${ZELOR_DEB_CHANGELOG}.gz ${PROJECT_SOURCE_DIR}/packaging/deb/copyright DESTINATION ${ZELOR_DEB_DOCS})
# Each override carries its reason in the file.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/deb/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME zelor2)

set(CPACK_PACKAGE_NAME zelor2)
set(CPACK_PACKAGE_CONTACT "Zelor2-Entwickler <zelor2@example.org>")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "gravitational N-body screen saver for xscreensaver")
set(CPACK_PACKAGE_DESCRIPTION
"Zelor2 integrates the mutual Newtonian gravity of the bodies of a body file
(.zel) in two dimensions and draws every body's path in its own colour on a
black screen that is never erased, so whole orbits build up; the elapsed days
stand at the top left. It runs as a module of xscreensaver, or on its own in
a window or full screen.

The package holds the module zelor2 with its description for
xscreensaver-settings, the tool zelor-bodies, which makes, shows, converts and
renders body files (also from the CSV a German spreadsheet saves), and four
sample systems. The user interface is German.")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# Whatever the umask of the machine that packs it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
