# tadjust_export_headers(<target>)
#   The target's headers are included by folder ("ui/form1.h"). Each library exports an include
#   root of its own in the build tree, holding one link to its source folder, so a header of a
#   library that is not linked is not found: a missing link shows as a build error.
function(tadjust_export_headers target)
  get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
  set(root "${CMAKE_BINARY_DIR}/include/${target}")
  set(link "${root}/${folder}")
  file(MAKE_DIRECTORY "${root}")
  # A build tree kept while its sources moved holds a link to the old place.
  if(IS_SYMLINK "${link}")
    file(READ_SYMLINK "${link}" linked)
    if(NOT linked STREQUAL CMAKE_CURRENT_SOURCE_DIR)
      file(REMOVE "${link}")
    endif()
  endif()
  if(NOT IS_SYMLINK "${link}")
    file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${link}" SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC "${root}")
endfunction()
