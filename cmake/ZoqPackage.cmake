# What other projects find: pkg-config files, the CMake package, and the
# Debian packages built from the install components (cpack -G DEB).
include(CMakePackageConfigHelpers)

install(TARGETS zoq_headers EXPORT ZOQTargets)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zoq
        COMPONENT dev PATTERN "*.in" EXCLUDE)
install(FILES ${PROJECT_BINARY_DIR}/include/zoq_version.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zoq COMPONENT dev)

# pkg-config files are written at install time, so that they name the prefix
# actually installed to (cmake --install --prefix, cpack).
foreach(lib zoqapi zoqbayer zoqlog)
  if(lib STREQUAL zoqapi)
    set(description "ZOQ camera SDK: find, configure and capture from ZOQ USB cameras")
  elseif(lib STREQUAL zoqbayer)
    set(description "ZOQ camera SDK: Bayer demosaic routines (parallel build)")
  else()
    set(description "ZOQ camera SDK: time-stamped log files")
  endif()
  set(pc ${PROJECT_BINARY_DIR}/pkgconfig/${lib}.pc)
  install(CODE "
    set(ZOQ_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
    set(ZOQ_PC_NAME ${lib})
    set(ZOQ_PC_DESCRIPTION \"${description}\")
    set(CMAKE_INSTALL_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
    set(CMAKE_INSTALL_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
    set(ZOQ_INSTALL_PLUGINDIR \"${ZOQ_INSTALL_PLUGINDIR}\")
    set(PROJECT_VERSION \"${PROJECT_VERSION}\")
    configure_file(\"${PROJECT_SOURCE_DIR}/packaging/zoq.pc.in\" \"${pc}\" @ONLY)"
    COMPONENT dev)
  install(FILES ${pc} DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
endforeach()

install(EXPORT ZOQTargets NAMESPACE ZOQ:: DESTINATION ${ZOQ_INSTALL_CMAKEDIR} COMPONENT dev)
configure_package_config_file(packaging/ZOQConfig.cmake.in
  ${PROJECT_BINARY_DIR}/cmake/ZOQConfig.cmake
  INSTALL_DESTINATION ${ZOQ_INSTALL_CMAKEDIR}
  PATH_VARS ZOQ_INSTALL_PLUGINDIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/cmake/ZOQConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/cmake/ZOQConfig.cmake
              ${PROJECT_BINARY_DIR}/cmake/ZOQConfigVersion.cmake
        DESTINATION ${ZOQ_INSTALL_CMAKEDIR} COMPONENT dev)
