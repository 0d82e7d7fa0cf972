# The game for the browser: the same sources as the desktop program, with the
# page as its host. MIRELINK_RESOURCES_SOURCE is the resource table a desktop
# build generated (res/resources.cpp there) and MIRELINK_ICON_DIR its icons.
set(MIRELINK_RESOURCES_SOURCE "" CACHE FILEPATH "The embedded resource table of a desktop build")
set(MIRELINK_ICON_DIR "" CACHE PATH "The icons a desktop build drew")
set(MIRELINK_WEB_OUT "${PROJECT_BINARY_DIR}/page" CACHE PATH "Where the page is put together")
option(MIRELINK_WEB_PACE "The page make pace-web measures: the game's clock at its last tick readable" OFF)

add_subdirectory(cmake)
include_directories(${PROJECT_SOURCE_DIR})

add_library(mirelink_resources STATIC ${MIRELINK_RESOURCES_SOURCE})
target_include_directories(mirelink_resources PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(mirelink_resources PUBLIC mirelink_platform)

add_executable(mirelink-web hosts/web/main.cpp hosts/web/web_host.cpp hosts/sdl/pixel_convert.cpp
                           hosts/files/screen_pixels.cpp hosts/sdl/paint_schedule.cpp)
target_link_libraries(mirelink-web PRIVATE mirelink_game mirelink_resources mirelink_system_answers)
set_target_properties(mirelink-web PROPERTIES OUTPUT_NAME mirelink SUFFIX .js
                      RUNTIME_OUTPUT_DIRECTORY ${MIRELINK_WEB_OUT})
set(exported _main)
if(MIRELINK_WEB_PACE)
  target_sources(mirelink-web PRIVATE tools/pace-web/last_tick.cpp)
  set(exported _main,_mirelink_last_tick_time)
endif()
# One file with the program inside, so the page opens straight from the disk;
# the game's waits yield to the browser. Nothing of the program lies in the
# lowest 64 KiB, as on the handheld, where a pointer that small is a
# resource's integer name, never data.
target_link_options(mirelink-web PRIVATE -sSINGLE_FILE=1 -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=65536 -sGLOBAL_BASE=65536
                    -sINITIAL_MEMORY=33554432 -sALLOW_MEMORY_GROWTH=0 -sENVIRONMENT=web
                    -sEXPORTED_FUNCTIONS=${exported})

# The page's own files are copied on every build, so that an edit of one
# reaches the page even when the program is not linked again.
add_custom_target(mirelink-page ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/hosts/web/page ${MIRELINK_WEB_OUT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MIRELINK_WEB_OUT}/icons
  COMMAND ${CMAKE_COMMAND} -E copy ${MIRELINK_ICON_DIR}/192x192/mirelink.png ${MIRELINK_WEB_OUT}/icons/mirelink-192.png
  COMMAND ${CMAKE_COMMAND} -E copy ${MIRELINK_ICON_DIR}/512x512/mirelink.png ${MIRELINK_WEB_OUT}/icons/mirelink-512.png
  COMMAND ${CMAKE_COMMAND} -E copy ${MIRELINK_ICON_DIR}/maskable/mirelink.png ${MIRELINK_WEB_OUT}/icons/mirelink-maskable.png
  COMMENT "Putting the page together"
  VERBATIM)
add_dependencies(mirelink-page mirelink-web)
