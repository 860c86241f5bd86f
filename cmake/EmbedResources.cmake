# Builds the files under resources/ into the program as one generated table.
# Each entry is found at run time by its type (the folder's role) and its name
# (the file name without extension), so nothing is read from disk when the program runs.

set(DASHCAM_RESOURCE_GENERATOR ${CMAKE_CURRENT_LIST_DIR}/GenerateResourceTable.cmake)

# dashcam_embed_resources(TARGET <target> ENTRIES <type> <folder> <glob> [<type> <folder> <glob> ...])
function(dashcam_embed_resources)
  cmake_parse_arguments(ARG "" "TARGET" "ENTRIES" ${ARGN})
  set(manifest "")
  set(depends "")
  list(LENGTH ARG_ENTRIES count)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 3)
    math(EXPR j "${i} + 1")
    math(EXPR k "${i} + 2")
    list(GET ARG_ENTRIES ${i} type)
    list(GET ARG_ENTRIES ${j} folder)
    list(GET ARG_ENTRIES ${k} pattern)
    file(GLOB files CONFIGURE_DEPENDS "${folder}/${pattern}")
    list(SORT files)
    foreach(f IN LISTS files)
      get_filename_component(name "${f}" NAME_WE)
      string(APPEND manifest "${type}|${name}|${f}\n")
      list(APPEND depends "${f}")
    endforeach()
  endforeach()
  set(manifest_file ${CMAKE_CURRENT_BINARY_DIR}/${ARG_TARGET}_manifest.txt)
  file(WRITE ${manifest_file}.in "${manifest}")
  configure_file(${manifest_file}.in ${manifest_file} COPYONLY)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${ARG_TARGET}_table.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DMANIFEST=${manifest_file} -DOUTPUT=${out} -P ${DASHCAM_RESOURCE_GENERATOR}
    DEPENDS ${depends} ${manifest_file} ${DASHCAM_RESOURCE_GENERATOR}
    COMMENT "Embedding resources into ${ARG_TARGET}"
    VERBATIM)
  target_sources(${ARG_TARGET} PRIVATE ${out})
endfunction()
