# Installs the program, the virtual tracker and the desktop entry, and
# describes the Debian package that `cpack -G DEB` builds from them.
include(GNUInstallDirs)

install(TARGETS kite12-config kite12 kite12-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/kite12-config.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/kite12-config.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME kite12-config)
set(CPACK_PACKAGE_VENDOR "KITE12 Config developers")
set(CPACK_PACKAGE_CONTACT "KITE12 Config developers <dev@kite12-config.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration tool for the KITE12 APRS tracker")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Reads, edits and writes the settings of a KITE12 APRS position tracker over its\n"
    "serial cable, restores its defaults, restarts it, loads new firmware and sets up\n"
    "its GPRS modem. Comes with kite12-sim, a virtual tracker on a pseudo-terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# shlibdeps finds the Qt libraries; the CJK font only matters for the Chinese window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-noto-cjk)
include(CPack)
