# kw_delay_load(<target> <dll> <function>...): the target loads the system DLL <dll> (no extension) at the
# first call of one of the functions, not when the program starts. Each function is given with its
# 32-bit argument size (GetOpenFileNameA@4), which the 64-bit build leaves out. Call it before the
# target's other target_link_libraries: the delay-import library must come first on the link line.
# MinGW: a delay-import library made by dlltool (lld: the linker's own tables), with the runtime's delayimp
# helper; MSVC: /DELAYLOAD.
include_guard(GLOBAL)

function(kw_delay_load target dll)
    if(MSVC)
        target_link_options(${target} PRIVATE /DELAYLOAD:${dll}.dll)
        target_link_libraries(${target} PRIVATE delayimp)
        return()
    endif()
    if(NOT MINGW OR NOT CMAKE_DLLTOOL)
        return()
    endif()

    set(exports "")
    foreach(function IN LISTS ARGN)
        if(CMAKE_SIZEOF_VOID_P EQUAL 8)
            string(REGEX REPLACE "@[0-9]+$" "" function "${function}")
        endif()
        string(APPEND exports "${function}\n")
    endforeach()
    set(def ${CMAKE_CURRENT_BINARY_DIR}/${target}_${dll}_delay.def)
    set(lib ${CMAKE_CURRENT_BINARY_DIR}/lib${target}_${dll}_delay.a)
    file(CONFIGURE OUTPUT ${def} CONTENT "LIBRARY ${dll}.dll\nEXPORTS\n${exports}")
    # 32-bit: the library's symbols keep the @size of the stdcall functions, the DLL's names do not.
    set(killAt "")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(killAt --kill-at)
    endif()
    if(KW_MINGW_LLD)
        # lld makes the delay-import tables itself, from an import library in LLVM's short form. It would
        # put those of a dlltool delay library among the read-only data, where the helper's first call
        # faults writing the address it found.
        add_custom_command(OUTPUT ${lib} COMMAND ${KW_LLVM_DLLTOOL} -m i386:x86-64 -d ${def} -l ${lib}
                           DEPENDS ${def} VERBATIM)
        target_link_options(${target} PRIVATE -Wl,--delayload=${dll}.dll)
    else()
        add_custom_command(OUTPUT ${lib} COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
                           ${killAt} DEPENDS ${def} VERBATIM)
    endif()
    add_custom_target(${target}_${dll}_delay DEPENDS ${lib})
    add_dependencies(${target} ${target}_${dll}_delay)
    target_link_libraries(${target} PRIVATE ${lib} delayimp)
endfunction()
