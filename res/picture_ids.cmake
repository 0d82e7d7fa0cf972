# Writes OUT, the header of named picture ids, from the resource script
# SCRIPT: every `dbb ID FORM WIDTH HEIGHT FRAMES Name: ...` line gives
# pictures::kName = ID, kNameFrames = FRAMES and kNameWidth/kNameHeight (one
# frame), and the table pictures::kAll lists every picture with its form.
# Run at configure time; an edit of the script configures again.
file(STRINGS ${SCRIPT} lines)
set(names "")
set(table "")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^dbb +([0-9]+) +(raw|packed) +([0-9]+) +([0-9]+) +([0-9]+) +(.*)$")
    continue()
  endif()
  set(id ${CMAKE_MATCH_1})
  set(form ${CMAKE_MATCH_2})
  set(width ${CMAKE_MATCH_3})
  set(frames ${CMAKE_MATCH_5})
  math(EXPR height "${CMAKE_MATCH_4} / ${frames}")
  if(NOT CMAKE_MATCH_6 MATCHES "^([A-Z][A-Za-z0-9]*):")
    message(FATAL_ERROR "${SCRIPT}: picture ${id} has no Name: before its description")
  endif()
  set(name ${CMAKE_MATCH_1})
  string(APPEND names "inline constexpr int k${name} = ${id};\n"
                      "inline constexpr int k${name}Frames = ${frames};\n"
                      "inline constexpr int k${name}Width = ${width};\n"
                      "inline constexpr int k${name}Height = ${height};\n")
  if(form STREQUAL "packed")
    set(packed true)
  else()
    set(packed false)
  endif()
  string(APPEND table "    {k${name}, ${width}, ${height}, ${frames}, ${packed}},\n")
endforeach()
string(CONCAT text
  "// The pictures of res/resources.txt by name: written by the build from that\n"
  "// script (res/picture_ids.cmake), never by hand.\n"
  "#pragma once\n\nnamespace pictures {\n\n" "${names}" "\n"
  "// Every picture: its id, one frame's size, its frames and whether it is packed.\n"
  "struct Entry {\n    int id;\n    int width;\n    int height;\n    int frames;\n    bool packed;\n};\n\n"
  "inline constexpr Entry kAll[] = {\n" "${table}" "};\n\n}  // namespace pictures\n")
# Written only when it changes, so that a new configure rebuilds nothing.
file(CONFIGURE OUTPUT ${OUT} CONTENT "${text}" @ONLY)
