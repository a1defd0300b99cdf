# Lays out the Windows programs as a user receives them, one folder with
# everything beside the programs, and describes the zip and the installer that
# `cpack -G "ZIP;NSIS"` builds from it (scripts/package-windows.sh).
set(kite12_qt "${KITE12_WINDOWS_QT}")

install(TARGETS kite12-config kite12 RUNTIME DESTINATION .)
# Qt looks for its plugins in folders beside the program.
install(FILES "${kite12_qt}/bin/Qt6Core.dll" "${kite12_qt}/bin/Qt6Gui.dll"
              "${kite12_qt}/bin/Qt6Widgets.dll" DESTINATION .)
# MinGW's runtime DLLs come with their symbols, two thirds of the package;
# the install strips only what it builds.
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  file(COPY "${kite12_qt}/bin/${dll}" DESTINATION ${PROJECT_BINARY_DIR}/runtime)
  execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded ${PROJECT_BINARY_DIR}/runtime/${dll}
                  COMMAND_ERROR_IS_FATAL ANY)
  install(FILES ${PROJECT_BINARY_DIR}/runtime/${dll} DESTINATION .)
endforeach()
install(FILES "${kite12_qt}/plugins/platforms/qwindows.dll" DESTINATION platforms)
install(FILES "${kite12_qt}/plugins/styles/qwindowsvistastyle.dll" DESTINATION styles)
# Qt's own texts in Chinese, which the window looks for beside itself.
install(FILES "${KITE12_QT_TRANSLATION}" DESTINATION .)

# Windows users open .txt files with a double click.
configure_file(${PROJECT_SOURCE_DIR}/data/windows/README.txt.in README.txt @ONLY NEWLINE_STYLE WIN32)
install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
install(FILES /usr/share/common-licenses/LGPL-3 DESTINATION licenses RENAME Qt-LGPL-3.txt)
install(FILES /usr/share/doc/gcc-mingw-w64-base/copyright
        DESTINATION licenses RENAME gcc-runtime.txt)
install(FILES /usr/share/doc/mingw-w64-common/copyright
        DESTINATION licenses RENAME mingw-w64-runtime.txt)
install(FILES /usr/share/doc/xastir-data/copyright DESTINATION licenses RENAME symbol-pictures.txt)
# The mobile operators' list, which the programs look for in share/ beside them.
install(FILES "${KITE12_OPERATOR_LIST}" DESTINATION share)
# The shipped presets, read from share/presets beside the programs.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/presets DESTINATION share)
install(FILES /usr/share/doc/mobile-broadband-provider-info/copyright
        DESTINATION licenses RENAME mobile-operators.txt)

set(CPACK_PACKAGE_NAME kite12-config)
set(CPACK_PACKAGE_VENDOR "The KITE12 APRS Config developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration tool for the KITE12 APRS tracker")
set(CPACK_PACKAGE_FILE_NAME "kite12-config-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "KITE12 APRS Config")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_PACKAGE_EXECUTABLES kite12-config "KITE12 APRS Config")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# A 64-bit installer for 64-bit programs: NSIS's own default is a 32-bit one.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_DISPLAY_NAME "KITE12 APRS Config")
set(CPACK_NSIS_PACKAGE_NAME "KITE12 APRS Config ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALLED_ICON_NAME kite12-config.exe)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
include(CPack)
