# Install rules and the CMake package: include/, the import library, the DLL and lib/cmake/Kwadro/,
# from which find_package(Kwadro CONFIG) gives the target Kwadro::Kwadro_ANSI.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KW_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Kwadro)

install(TARGETS Kwadro_ANSI
        EXPORT KwadroTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
file(GLOB KW_INSTALLED_HEADERS ${PROJECT_SOURCE_DIR}/include/*.h)
install(FILES ${KW_INSTALLED_HEADERS} ${PROJECT_BINARY_DIR}/include/KWVersion.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

install(EXPORT KwadroTargets NAMESPACE Kwadro:: DESTINATION ${KW_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/KwadroConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/KwadroConfig.cmake INSTALL_DESTINATION ${KW_CMAKE_DIR})
# 1.x accepts any 1.y; the pointer size must match, so a 64-bit program never finds the 32-bit package.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KwadroConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KwadroConfig.cmake ${PROJECT_BINARY_DIR}/KwadroConfigVersion.cmake
        DESTINATION ${KW_CMAKE_DIR})
