# The game for Windows, cross-compiled with mingw-w64 (cmake/mingw-w64.cmake):
# the same sources as the desktop program, with the Win32 window as its host.
# MIRELINK_RESOURCES_SOURCE is the resource table a native build generated
# (res/resources.cpp there), as for the browser.
set(MIRELINK_RESOURCES_SOURCE "" CACHE FILEPATH "The embedded resource table of a native build")

add_subdirectory(cmake)
include_directories(${PROJECT_SOURCE_DIR})

add_library(mirelink_resources STATIC ${MIRELINK_RESOURCES_SOURCE})
target_include_directories(mirelink_resources PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(mirelink_resources PUBLIC mirelink_platform)

if(EXISTS ${PROJECT_SOURCE_DIR}/hosts/win32/CMakeLists.txt)
  add_subdirectory(hosts/win32)
endif()
