# The parts that need more than the core's packages: each is on when its
# packages are found, and may be switched off (or on, to insist) by hand.
#   ZOQ_BUILD_PYTHON  the zoqcam Python module (python3-dev, python3-pybind11,
#                     python3-numpy; Debian's /usr/bin/python3)
#   ZOQ_BUILD_GST     the GStreamer element zoqsrc (libgstreamer1.0-dev,
#                     libgstreamer-plugins-base1.0-dev)

# OPTION is on when the variable FOUND is true; switched on by hand without
# its packages, it stops the configuration and names them.
function(zoq_optional_part option doc found packages)
  if(${found})
    set(default ON)
  else()
    set(default OFF)
  endif()
  option(${option} "${doc}" ${default})
  if(${option} AND NOT default)
    message(FATAL_ERROR "${option} needs ${packages}")
  endif()
endfunction()

# Debian's interpreter, whatever python3 comes first on PATH: the module is
# installed into its dist-packages.
if(NOT DEFINED Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python3_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "The Python the zoqcam module is built for")
endif()
find_package(Python3 QUIET COMPONENTS Interpreter Development.Module NumPy)
set(PYBIND11_FINDPYTHON ON)
find_package(pybind11 CONFIG QUIET)
if(Python3_FOUND AND Python3_NumPy_FOUND AND pybind11_FOUND)
  set(zoq_python_found ON)
endif()
zoq_optional_part(ZOQ_BUILD_PYTHON "Build the zoqcam Python module" zoq_python_found
                  "python3-dev, python3-pybind11 and python3-numpy")

pkg_check_modules(GST QUIET IMPORTED_TARGET gstreamer-1.0>=1.20 gstreamer-base-1.0
                  gstreamer-video-1.0)
zoq_optional_part(ZOQ_BUILD_GST "Build the GStreamer element zoqsrc" GST_FOUND
                  "libgstreamer1.0-dev and libgstreamer-plugins-base1.0-dev")
message(STATUS "zoqcam Python module: ${ZOQ_BUILD_PYTHON}; GStreamer element zoqsrc: ${ZOQ_BUILD_GST}")
