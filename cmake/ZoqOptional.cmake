# The parts that need more than the core's packages: each is on when its
# packages are found, and may be switched off (or on, to insist) by hand.
#   ZOQ_BUILD_PYTHON  the zoqcam Python module (python3-dev, python3-pybind11,
#                     python3-numpy; Debian's /usr/bin/python3)
#   ZOQ_BUILD_GST     the GStreamer element zoqsrc (libgstreamer1.0-dev,
#                     libgstreamer-plugins-base1.0-dev)

# Debian's interpreter, whatever python3 comes first on PATH: the module is
# installed into its dist-packages.
if(NOT DEFINED Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python3_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "The Python the zoqcam module is built for")
endif()
find_package(Python3 QUIET COMPONENTS Interpreter Development.Module NumPy)
set(PYBIND11_FINDPYTHON ON)
find_package(pybind11 CONFIG QUIET)
if(Python3_FOUND AND Python3_NumPy_FOUND AND pybind11_FOUND)
  set(zoq_python_default ON)
else()
  set(zoq_python_default OFF)
endif()
option(ZOQ_BUILD_PYTHON "Build the zoqcam Python module" ${zoq_python_default})
if(ZOQ_BUILD_PYTHON AND NOT zoq_python_default)
  message(FATAL_ERROR "ZOQ_BUILD_PYTHON needs python3-dev, python3-pybind11 and python3-numpy")
endif()

pkg_check_modules(GST QUIET IMPORTED_TARGET gstreamer-1.0>=1.20 gstreamer-base-1.0
                  gstreamer-video-1.0)
if(GST_FOUND)
  set(zoq_gst_default ON)
else()
  set(zoq_gst_default OFF)
endif()
option(ZOQ_BUILD_GST "Build the GStreamer element zoqsrc" ${zoq_gst_default})
if(ZOQ_BUILD_GST AND NOT zoq_gst_default)
  message(FATAL_ERROR "ZOQ_BUILD_GST needs libgstreamer1.0-dev and libgstreamer-plugins-base1.0-dev")
endif()
message(STATUS "zoqcam Python module: ${ZOQ_BUILD_PYTHON}; GStreamer element zoqsrc: ${ZOQ_BUILD_GST}")
