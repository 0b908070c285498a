# `cmake --install` puts the grid library with its headers and a CMake package under the prefix,
# so that another project writes find_package(TolvaneGrid) and links TolvaneGrid::grid; the viewer
# installs with a desktop entry and a scalable icon.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS grid_host grid_shared grid_core grid EXPORT TolvaneGridTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/grid/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tolvane/grid
        FILES_MATCHING PATTERN "*.h")
install(EXPORT TolvaneGridTargets NAMESPACE TolvaneGrid::
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/TolvaneGrid)

configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/TolvaneGridConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/TolvaneGridConfig.cmake
                              INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/TolvaneGrid)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/TolvaneGridConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/TolvaneGridConfig.cmake ${CMAKE_BINARY_DIR}/TolvaneGridConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/TolvaneGrid)

install(TARGETS tolvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS tolvane_formats LIBRARY DESTINATION ${TOLVANE_MODULE_INSTALL_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/app/desktop/tolvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/app/desktop/tolvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
