# Plays SCRIPT with RUNNER (options ARGS) against its golden trace TRACE, from
# a copy in WORK, where the state and the screen at a difference are written.
# With UPDATE_GOLDEN=1 in the environment, writes TRACE anew instead.
separate_arguments(args UNIX_COMMAND "${ARGS}")
if("$ENV{UPDATE_GOLDEN}" STREQUAL "1")
  execute_process(COMMAND ${EMULATOR} ${RUNNER} ${args} --trace ${TRACE} ${SCRIPT} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the runner exited ${result}; ${TRACE} is not to be trusted")
  endif()
  return()
endif()
get_filename_component(name "${TRACE}" NAME)
file(COPY_FILE "${TRACE}" "${WORK}/${name}")
execute_process(COMMAND ${EMULATOR} ${RUNNER} ${args} --check-trace ${WORK}/${name} ${SCRIPT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR
    "the play no longer follows its golden trace (the runner exited ${result}). If the change in the "
    "game is meant, write the traces anew and review their diff:\n"
    "  UPDATE_GOLDEN=1 ctest --test-dir <build> -R '^golden\\.'")
endif()
