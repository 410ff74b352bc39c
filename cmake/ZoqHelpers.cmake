# Adds a component folder when it has a CMakeLists.txt, so that the tree
# builds while components are still being written.
macro(zoq_add_subdirectory dir)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endmacro()

# Adds every immediate subfolder of the current folder that has a
# CMakeLists.txt (used by tests/ and bench/, one folder per component).
macro(zoq_add_all_subdirectories)
  file(GLOB _zoq_children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _zoq_children)
  foreach(_zoq_child IN LISTS _zoq_children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${_zoq_child}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_zoq_child}/CMakeLists.txt)
      add_subdirectory(${_zoq_child})
    endif()
  endforeach()
endmacro()

# zoq_uses_camera_plugins(<target>): the target loads camera plug-ins at run
# time (tests, tools), so they are built before it.
function(zoq_uses_camera_plugins target)
  get_property(cam_targets DIRECTORY ${CMAKE_SOURCE_DIR}/cam PROPERTY BUILDSYSTEM_TARGETS)
  foreach(candidate IN LISTS cam_targets)
    if(candidate MATCHES "^zoqcam_[0-9]+(_[A-Za-z0-9]+)?$")
      add_dependencies(${target} ${candidate})
    endif()
  endforeach()
endfunction()
