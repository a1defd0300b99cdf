# Cross-compiles for 64-bit Windows with MinGW-w64 (POSIX threads) and runs the
# test programs under Wine. KITE12_WINDOWS_QT, given with -D or in the
# environment, is the prefix of the Qt for Windows that scripts/setup-windows.sh
# prints; without it only the compilers are set, which is how that Qt is built.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(kite12_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${kite12_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${kite12_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${kite12_mingw}-windres)

# Compile checks run this file again without the cache; carry the prefix over.
if(NOT KITE12_WINDOWS_QT AND DEFINED ENV{KITE12_WINDOWS_QT})
  set(KITE12_WINDOWS_QT "$ENV{KITE12_WINDOWS_QT}")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KITE12_WINDOWS_QT)

# Libraries and headers come only from the MinGW tree and the Windows Qt, never
# from the host; programs (moc, rcc, uic) come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${kite12_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(KITE12_WINDOWS_QT)
  list(APPEND CMAKE_FIND_ROOT_PATH "${KITE12_WINDOWS_QT}")
  list(APPEND CMAKE_PREFIX_PATH "${KITE12_WINDOWS_QT}")
  # Debian's host Qt: same version, so its moc, rcc and uic fit.
  set(QT_HOST_PATH /usr)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

  # Tests run under Wine in a prefix of the build folder's own, so they neither
  # touch ~/.wine nor wait on another build's wineserver; without Mono and Gecko
  # it is made without asking to download them. The Qt prefix holds the MinGW
  # runtime DLLs next to Qt's. Wine passes no QT_* variable on to the program.
  find_program(KITE12_WINE NAMES wine wine64 REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      /usr/bin/env "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix" WINEDEBUG=-all
      "WINEDLLOVERRIDES=mscoree,mshtml=" "WINEPATH=Z:${KITE12_WINDOWS_QT}/bin" "${KITE12_WINE}")
endif()
