# tadjust_export_headers(<target>)
#   The target's headers are included by folder ("ui/form1.h"). Each library exports an include
#   root of its own in the build tree, holding one link to its source folder, so a header of a
#   library that is not linked is not found: a missing link shows as a build error.
function(tadjust_export_headers target)
  get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
  set(root "${CMAKE_BINARY_DIR}/include/${target}")
  file(MAKE_DIRECTORY "${root}")
  if(NOT IS_SYMLINK "${root}/${folder}")
    file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${root}/${folder}" SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC "${root}")
endfunction()
