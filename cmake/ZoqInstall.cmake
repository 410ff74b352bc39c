# Where the SDK installs, as paths below the install prefix.
#   libraries       ${CMAKE_INSTALL_LIBDIR}
#   camera plug-ins ${ZOQ_INSTALL_PLUGINDIR} (libzoqapi's run path)
#   headers         ${CMAKE_INSTALL_INCLUDEDIR}/zoq
#   CMake package   ${ZOQ_INSTALL_CMAKEDIR}
#   udev rules      ${ZOQ_INSTALL_UDEVDIR}
# Components: runtime (libraries, plug-ins, udev rules), dev (headers,
# link names, pkg-config and CMake files), tools (zoqcam, zoqsim-run).
set(ZOQ_PLUGINDIR_FROM_LIBDIR zoq/plugins)
set(ZOQ_INSTALL_PLUGINDIR ${CMAKE_INSTALL_LIBDIR}/${ZOQ_PLUGINDIR_FROM_LIBDIR})
set(ZOQ_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/ZOQ)
set(ZOQ_INSTALL_UDEVDIR lib/udev/rules.d CACHE STRING
    "Folder of the udev rules, below the install prefix unless absolute")

# zoq_install_library(<target>): a shared library of the SDK with its soname
# link in runtime, the unversioned link in dev, exported as ZOQ::<target>.
function(zoq_install_library target)
  install(TARGETS ${target} EXPORT ZOQTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev)
endfunction()
