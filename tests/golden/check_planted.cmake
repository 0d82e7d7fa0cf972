# Runs the checker on two spoilt copies of TRACE (the golden trace of SCRIPT)
# and requires each difference to be reported where it was planted.
separate_arguments(args UNIX_COMMAND "${ARGS}")
file(STRINGS "${TRACE}" lines)
list(LENGTH lines count)
if(count LESS 200)
  message(FATAL_ERROR "${TRACE} is too short to plant differences in")
endif()

# The score's place among the fields of the first line: a later line names a
# field by it.
list(GET lines 0 first)
string(REPLACE " " ";" words "${first}")
set(index -4)
foreach(word IN LISTS words)
  if(word MATCHES "^score=")
    break()
  endif()
  math(EXPR index "${index} + 1")
endforeach()

function(expect_report trace pattern)
  execute_process(COMMAND ${EMULATOR} ${RUNNER} ${args} --check-trace ${trace} ${SCRIPT}
                  RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(NOT result EQUAL 1 OR NOT errors MATCHES "${pattern}")
    message(SEND_ERROR "${trace}: wanted exit 1 and a message matching '${pattern}', got ${result}:\n${errors}")
  endif()
endfunction()

# A score that differs on line 150 of the trace.
list(GET lines 149 line)
list(REMOVE_AT lines 149)
list(INSERT lines 149 "${line} ${index}=00000000")
list(JOIN lines "\n" text)
file(WRITE "${WORK}/altered.trace" "${text}\n")
expect_report("${WORK}/altered.trace" "altered.trace:150: play line 150 .*; fields that differ: score\\.")
if(NOT EXISTS "${WORK}/altered.trace.actual.json" OR NOT EXISTS "${WORK}/altered.trace.actual.png")
  message(SEND_ERROR "the state and the screen at the difference were not written")
endif()

# A trace that ends at line 120: the play's line 121 is one too many.
list(SUBLIST lines 0 120 head)
list(JOIN head "\n" text)
file(WRITE "${WORK}/short.trace" "${text}\n")
expect_report("${WORK}/short.trace" "short.trace:120: the play goes on past the trace's end: play line 121 ")
