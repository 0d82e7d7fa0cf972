# Plays SCRIPT with RUNNER (options ARGS): against the golden trace TRACE, if
# given, from a copy in WORK, where the state and the screen at a difference
# land (UPDATE_GOLDEN=1 writes TRACE anew); then each picture a `shot` line
# wrote must have the SHA-256 that ends the line ("shot a.png  # sha256 HASH").
separate_arguments(args UNIX_COMMAND "${ARGS}")
set(trace "")
if(TRACE AND "$ENV{UPDATE_GOLDEN}" STREQUAL "1")
  set(trace --trace ${TRACE})
elseif(TRACE)
  get_filename_component(name "${TRACE}" NAME)
  file(COPY_FILE "${TRACE}" "${WORK}/${name}")
  set(trace --check-trace ${WORK}/${name})
endif()
execute_process(COMMAND ${EMULATOR} ${RUNNER} ${args} ${trace} ${SCRIPT} RESULT_VARIABLE result)
if(NOT result EQUAL 0 AND trace MATCHES "^--check-trace")
  message(FATAL_ERROR
    "the play no longer follows its golden trace (the runner exited ${result}). If the change in the "
    "game is meant, write the traces anew and review their diff:\n"
    "  UPDATE_GOLDEN=1 ctest --test-dir <build> -R '^golden\\.'")
elseif(NOT result EQUAL 0)
  message(FATAL_ERROR "the runner exited ${result}")
endif()
file(STRINGS "${SCRIPT}" shots REGEX "^shot ")
foreach(line IN LISTS shots)
  if(NOT line MATCHES "^shot +([^ #]+) *# sha256 ([0-9a-f]+)$")
    message(FATAL_ERROR "'${line}' compares its picture with nothing: end it with # sha256 HASH")
  endif()
  set(expected "${CMAKE_MATCH_2}")
  file(SHA256 "${CMAKE_MATCH_1}" actual)
  if(NOT actual STREQUAL expected)
    message(SEND_ERROR "${CMAKE_MATCH_1} has changed: its sha256 is now ${actual}")
  endif()
endforeach()
