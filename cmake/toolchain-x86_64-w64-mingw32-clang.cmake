# Cross build for 64-bit Windows with clang, over the POSIX-thread MinGW-w64 headers and libraries.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KW_MINGW_TRIPLE x86_64-w64-mingw32)
set(KW_MINGW_GCC /usr/lib/gcc/${KW_MINGW_TRIPLE}/12-posix)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${KW_MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${KW_MINGW_TRIPLE})
set(CMAKE_RC_COMPILER ${KW_MINGW_TRIPLE}-windres)
# GNU dlltool makes the delay-import libraries, as in the GCC build.
set(CMAKE_DLLTOOL ${KW_MINGW_TRIPLE}-dlltool)
# clang does not find the C++ library of a GCC folder named "12-posix" by itself.
set(CMAKE_CXX_FLAGS_INIT "-isystem ${KW_MINGW_GCC}/include/c++ -isystem ${KW_MINGW_GCC}/include/c++/${KW_MINGW_TRIPLE} -isystem ${KW_MINGW_GCC}/include/c++/backward")
# LLVM's linker: GNU ld warns of every typeinfo name that clang and libstdc++ size differently.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${KW_MINGW_GCC}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld -L${KW_MINGW_GCC}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${KW_MINGW_GCC}")
# Delay-loaded DLLs go through lld's --delayload and an import library of llvm-dlltool (cmake/DelayLoad.cmake).
set(KW_MINGW_LLD ON)
find_program(KW_LLVM_DLLTOOL NAMES llvm-dlltool llvm-dlltool-14 REQUIRED)
# The POSIX threads that libstdc++ and libgcc_eh use come after them on the link line.
# The cache entry is set before the platform's own, which then keeps it.
set(KW_WINDOWS_LIBRARIES "-lkernel32 -luser32 -lgdi32 -lwinspool -lshell32 -lole32 -loleaut32 -luuid -lcomdlg32 -ladvapi32")
set(CMAKE_CXX_STANDARD_LIBRARIES "-lstdc++ -lpthread -lgcc_eh -lpthread ${KW_WINDOWS_LIBRARIES}" CACHE STRING "" FORCE)
set(CMAKE_C_STANDARD_LIBRARIES "-lpthread -lgcc_eh -lpthread ${KW_WINDOWS_LIBRARIES}" CACHE STRING "" FORCE)
set(CMAKE_FIND_ROOT_PATH /usr/${KW_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# ctest runs the Windows programs under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
