# Cross build of the Qt-free core for 64-bit Windows with Debian's MinGW-w64 (POSIX
# threads), linked statically; tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
# pkg-config finds MinGW's libraries only, never the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/x86_64-w64-mingw32/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
# Libraries built for MinGW-w64 by scripts/build-windows.sh (libexiv2), linked statically.
# The compiler checks include this file again: they must see the folder too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CHRONODEX_MINGW_DEPS)
if(CHRONODEX_MINGW_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${CHRONODEX_MINGW_DEPS})
  set(ENV{PKG_CONFIG_LIBDIR} "/usr/x86_64-w64-mingw32/lib/pkgconfig:${CHRONODEX_MINGW_DEPS}/lib/pkgconfig")
  set(PKG_CONFIG_ARGN --static)
endif()
