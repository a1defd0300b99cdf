# Installs the programs, their manual pages, kite12's bash completion, the
# desktop entry, the AppStream metadata and the licence, and describes the
# Debian package that `cpack -G DEB` builds from them.
include(GNUInstallDirs)

install(TARGETS kite12-config kite12 kite12-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/kite12-config.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/kite12-config.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/invalid.kite12_config.kite12_config.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The window has no help of its own for help2man to read.
configure_file(${PROJECT_SOURCE_DIR}/data/kite12-config.1.in kite12-config.1 @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kite12-config.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# bash-completion loads it by the command's name when kite12 is first completed.
install(FILES ${PROJECT_SOURCE_DIR}/data/kite12.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME kite12)
# The shipped presets: the programs look for them in ../share/kite12/presets.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/presets DESTINATION ${CMAKE_INSTALL_DATADIR}/kite12)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${PROJECT_SOURCE_DIR}/data/debian/changelog
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME kite12-config)
set(CPACK_PACKAGE_VENDOR "The KITE12 APRS Config developers")
set(CPACK_PACKAGE_CONTACT "The KITE12 APRS Config developers <dev@kite12-config.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration tool for the KITE12 APRS tracker")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Reads, edits and writes the settings of a KITE12 APRS position tracker over\n"
    "its serial cable, restores its defaults, restarts it, loads new firmware and\n"
    "sets up its GPRS modem. Comes with kite12, the same from a script, and\n"
    "kite12-sim, a virtual tracker on a pseudo-terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A cross build's package is for the architecture it was built for, not this machine's.
if(CMAKE_CROSSCOMPILING)
  execute_process(COMMAND dpkg-architecture -t ${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
                  OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# shlibdeps finds the Qt libraries; the CJK font and Qt's own Chinese texts only
# matter for the Chinese window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n")
# The mobile operators' list the GPRS frame and "kite12 gprs apn" read.
set(CPACK_DEBIAN_PACKAGE_DEPENDS mobile-broadband-provider-info)
# Debian wants manual pages and the changelog gzipped, which an install from
# source need not do.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/CompressDocs.cmake)
include(CPack)
