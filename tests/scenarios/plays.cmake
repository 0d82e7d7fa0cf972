# mirelink_plays(PREFIX [TRACED]): every *.mls script under the calling
# folder is a test PREFIX.NAME that the headless runner plays in a folder of
# its own in the build tree (see run_play.cmake). A first line
#   # runner-args: --clock 5000
# gives the runner extra options (also left in args_NAME). In the Windows
# build, Wine (the cross build's emulator) runs the runner. TRACED: each play
# is checked against its golden trace NAME.trace beside it.
function(mirelink_plays prefix)
  file(GLOB_RECURSE plays CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.mls")
  foreach(play IN LISTS plays)
    file(RELATIVE_PATH name "${CMAKE_CURRENT_SOURCE_DIR}" "${play}")
    string(REGEX REPLACE "\\.mls$" "" name "${name}")
    file(STRINGS "${play}" first_line LIMIT_COUNT 1)
    set(args "")
    if(first_line MATCHES "^#[ \t]*runner-args:(.*)$")
      set(args "${CMAKE_MATCH_1}")
    endif()
    set(args_${name} "${args}" PARENT_SCOPE)
    set(trace "")
    if("${ARGN}" STREQUAL "TRACED")
      set(trace "${CMAKE_CURRENT_SOURCE_DIR}/${name}.trace")
    endif()
    set(work "${CMAKE_CURRENT_BINARY_DIR}/${name}")
    file(MAKE_DIRECTORY "${work}")
    add_test(NAME "${prefix}.${name}"
             COMMAND ${CMAKE_COMMAND} -DRUNNER=$<TARGET_FILE:mirelink-headless>
                     "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" "-DARGS=${args}" -DSCRIPT=${play}
                     "-DTRACE=${trace}" -DWORK=${work} -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/run_play.cmake
             WORKING_DIRECTORY "${work}")
  endforeach()
endfunction()
