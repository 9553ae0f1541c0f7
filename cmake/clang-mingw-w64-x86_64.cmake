# Cross-compiling for Windows x64 with Debian's clang and lld, against mingw-w64's headers and
# GCC's posix-thread runtime (the same libstdc++ the GCC tree links).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VAROLIN_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${VAROLIN_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${VAROLIN_TRIPLE})
set(CMAKE_RC_COMPILER ${VAROLIN_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VAROLIN_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# clang finds no libstdc++ for this target by itself: point it at GCC's posix variant.
file(GLOB VAROLIN_GCC_DIR LIST_DIRECTORIES true /usr/lib/gcc/${VAROLIN_TRIPLE}/*-posix)
list(GET VAROLIN_GCC_DIR -1 VAROLIN_GCC_DIR)
set(VAROLIN_CXX_INCLUDE ${VAROLIN_GCC_DIR}/include/c++)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
    ${VAROLIN_CXX_INCLUDE} ${VAROLIN_CXX_INCLUDE}/${VAROLIN_TRIPLE} ${VAROLIN_CXX_INCLUDE}/backward)
# Compile only: the host's C++ headers must not be searched (at link time clang calls it unused).
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-nostdinc++>)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${VAROLIN_GCC_DIR}")
# winpthreads after libstdc++ in one group: a static std::thread needs it resolved late. Cached
# before the platform files, which would otherwise set their own list.
set(CMAKE_CXX_STANDARD_LIBRARIES
    "-Wl,--start-group -lstdc++ -lpthread -Wl,--end-group -lkernel32 -luser32 -lgdi32 -lshell32 -lole32 -loleaut32 -luuid -ladvapi32"
    CACHE STRING "")
