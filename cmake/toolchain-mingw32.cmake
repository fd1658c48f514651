# Cross-compiling the 32-bit Windows DLL with mingw-w64 (posix threads); tests run under wine.
# Every flag particular to 32-bit x86 Windows is here.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# Doubles in SSE2 registers, as on x86-64, so that results match bit for bit.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
# Linked statically: no runtime DLL of the compiler (libgcc, libstdc++, libwinpthread) to ship.
# PLUGIN_API is __stdcall: --kill-at exports GetPluginFactory, not GetPluginFactory@0.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -Wl,--kill-at -Wl,--enable-stdcall-fixup")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -Wl,--kill-at -Wl,--enable-stdcall-fixup")

# These flags reach a build folder's cache when the folder is first configured: one configured
# before they were here lacks them.
if(DEFINED CACHE{CMAKE_CXX_FLAGS} AND NOT "$CACHE{CMAKE_CXX_FLAGS}" MATCHES "-mfpmath=sse")
  message(FATAL_ERROR "${CMAKE_BINARY_DIR} lacks the flags of ${CMAKE_CURRENT_LIST_FILE}: configure it afresh (cmake --fresh)")
endif()
