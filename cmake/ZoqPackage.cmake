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

# Debian packages, one per component:
#   libzoq8      libraries, camera plug-ins, udev rules
#   libzoq-dev   headers, link names, pkg-config and CMake files
#   zoq-tools    zoqcam, zoqsim-run (the simulator needs umockdev)
#   python3-zoqcam       the zoqcam Python module (when built)
#   gstreamer1.0-zoq     the GStreamer element zoqsrc (when built)
# Built from a tree configured with CMAKE_INSTALL_PREFIX=/usr:
#   cpack -G DEB --config <build>/CPackConfig.cmake
set(CPACK_PACKAGE_NAME zoq)
set(CPACK_PACKAGE_VENDOR "ZOQ")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "ZOQ camera SDK developers <sdk@zoq.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "SDK for ZOQ industrial USB cameras")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL runtime dev tools)
if(ZOQ_BUILD_PYTHON)
  list(APPEND CPACK_COMPONENTS_ALL python)
endif()
if(ZOQ_BUILD_GST)
  list(APPEND CPACK_COMPONENTS_ALL gstreamer)
endif()
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# zoqcam needs libzoqapi of the runtime package, which dpkg-shlibdeps finds here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/lib)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
# shlibs file and the ldconfig trigger for the libraries.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zoq.invalid/sdk")
set(zoq_deb_version "${PROJECT_VERSION}")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libzoq${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
    "Libraries and camera plug-ins. libzoqapi finds, configures and captures from ZOQ industrial USB cameras; libzoqbayer demosaics, libzoqlog writes the camera logs. The udev rules give the logged-in user and the plugdev group access to the cameras.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libzoq-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "libzoq${PROJECT_VERSION_MAJOR} (= ${zoq_deb_version})")
set(CPACK_DEBIAN_DEV_DESCRIPTION
    "Development files. Headers (include/zoq), pkg-config files zoqapi, zoqbayer and zoqlog, and the CMake package ZOQ (find_package(ZOQ) with ZOQ::zoqapi).")

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME zoq-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
# umockdev brings the preload library that zoqsim-run starts programs with.
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "libzoq${PROJECT_VERSION_MAJOR} (= ${zoq_deb_version}), umockdev")
set(CPACK_DEBIAN_TOOLS_DESCRIPTION
    "Tools: zoqcam and the camera simulator. zoqcam lists cameras, shows their settings and captures frames to files. zoqsim-run runs any program against simulated cameras.")
set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-zoqcam)
set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
# The compiled part is for one Python version, that of the build.
if(ZOQ_BUILD_PYTHON)
  math(EXPR zoq_python_next "${Python3_VERSION_MINOR} + 1")
  set(zoq_python_version ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR})
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS
      "libzoq${PROJECT_VERSION_MAJOR} (= ${zoq_deb_version}), python3 (>= ${zoq_python_version}), python3 (<< ${Python3_VERSION_MAJOR}.${zoq_python_next}), python3-numpy")
endif()
set(CPACK_DEBIAN_PYTHON_DESCRIPTION
    "Python module zoqcam. Lists ZOQ cameras, sets them up through properties and captures frames as numpy arrays, one at a time or continuously (import zoqcam).")

set(CPACK_DEBIAN_GSTREAMER_PACKAGE_NAME gstreamer1.0-zoq)
set(CPACK_DEBIAN_GSTREAMER_PACKAGE_SECTION video)
set(CPACK_DEBIAN_GSTREAMER_PACKAGE_DEPENDS "libzoq${PROJECT_VERSION_MAJOR} (= ${zoq_deb_version})")
set(CPACK_DEBIAN_GSTREAMER_DESCRIPTION
    "GStreamer element zoqsrc. A live source of ZOQ camera frames for any media pipeline: gst-launch-1.0 zoqsrc ! videoconvert ! autovideosink.")
include(CPack)
