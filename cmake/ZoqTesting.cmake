find_package(GTest REQUIRED)
include(GoogleTest)

# Tests that talk to simulated cameras run with umockdev's preload library,
# which emulates the kernel's usbfs for the unmodified libusb. Every property
# holds a single value: gtest_discover_tests loses the rest of a list.
# A sanitizer whose runtime must come first (ThreadSanitizer's) names it in
# ZOQ_SIM_PRELOAD before the emulation.
set(ZOQ_SIM_PRELOAD "libumockdev-preload.so.0" CACHE STRING
    "What simulated tests run with in LD_PRELOAD")
set(ZOQ_SIM_TEST_PROPERTIES ENVIRONMENT "LD_PRELOAD=${ZOQ_SIM_PRELOAD}")
if(ZOQ_SANITIZE)
  # The preload library comes before the sanitizer runtime.
  list(APPEND ZOQ_SIM_TEST_PROPERTIES
       ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=set:verify_asan_link_order=0")
endif()

# Programs the tests run that are not built here (Debian's python3,
# gst-launch-1.0) load our libraries; with AddressSanitizer they need its
# runtime preloaded (zoqsim-run puts umockdev's library in front of it).
# Python's own allocations at exit are not ours to report.
set(ZOQ_UNINSTRUMENTED_ENV "")
if(ZOQ_SANITIZE)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
                  OUTPUT_VARIABLE zoq_libasan OUTPUT_STRIP_TRAILING_WHITESPACE)
  # libstdc++ too, or the runtime finds no __cxa_throw to intercept in a
  # program that has none of its own.
  set(ZOQ_UNINSTRUMENTED_ENV "LD_PRELOAD=${zoq_libasan}:libstdc++.so.6" "ASAN_OPTIONS=detect_leaks=0")
endif()

# zoq_add_gtest(<target> SOURCES ... [LIBS ...] [SIMULATED] [TIMEOUT s])
# Builds a GoogleTest program and registers each of its tests with CTest
# (each test runs in a process of its own). SIMULATED runs them under the
# usbfs emulation.
function(zoq_add_gtest target)
  cmake_parse_arguments(ARG "SIMULATED" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main ${ARG_LIBS})
  set(sim_properties "")
  if(ARG_SIMULATED)
    set(sim_properties ${ZOQ_SIM_TEST_PROPERTIES})
  endif()
  gtest_discover_tests(${target}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${sim_properties} TIMEOUT ${ARG_TIMEOUT})
endfunction()

