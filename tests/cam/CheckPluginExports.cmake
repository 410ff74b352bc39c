# cmake -DLIBRARY=<plug-in> -DNM=<nm> -DGETTYPE=<symbol> -P CheckPluginExports.cmake
# Fails unless the dynamic symbols the plug-in defines are exactly the five
# entry points of the plug-in contract.
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^ \n]+\n" lines "${symbols}")
set(names "")
foreach(line IN LISTS lines)
  string(STRIP "${line}" name)
  # AddressSanitizer adds an indicator symbol beside every global it guards.
  if(NOT name MATCHES "^__odr_asan")
    list(APPEND names "${name}")
  endif()
endforeach()
list(SORT names)
set(expected ZOQCAM_Create ZOQCAM_Delete ${GETTYPE} _Z24GET_READ_FPGAREG_ADDRESSh g_SkipTable)
list(SORT expected)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "${LIBRARY} exports '${names}', expected '${expected}'")
endif()
