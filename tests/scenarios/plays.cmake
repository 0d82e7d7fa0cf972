# mirelink_plays(PREFIX [TRACED]): each *.mls under the calling folder is a
# test PREFIX.NAME, played by the runner (Wine's in the Windows build) in a
# folder of its own, with the options of a first line "# runner-args: ..."
# (left in args_NAME); TRACED: against the golden trace NAME.trace beside it.
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
    set(trace "$<$<BOOL:${ARGN}>:${CMAKE_CURRENT_SOURCE_DIR}/${name}.trace>")
    set(work "${CMAKE_CURRENT_BINARY_DIR}/${name}")
    file(MAKE_DIRECTORY "${work}")
    add_test(NAME "${prefix}.${name}"
             COMMAND ${CMAKE_COMMAND} -DRUNNER=$<TARGET_FILE:mirelink-headless>
                     "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}" "-DARGS=${args}" -DSCRIPT=${play}
                     "-DTRACE=${trace}" -DWORK=${work} -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/run_play.cmake
             WORKING_DIRECTORY "${work}")
  endforeach()
endfunction()
