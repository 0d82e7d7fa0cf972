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

# The headless runner, which writes its screenshots with libpng as on Linux
# so that they are the same bytes: Debian has no libpng for mingw, so
# tools/setup/mingw-libpng.sh builds Debian's own source into
# MIRELINK_MINGW_PREFIX. Debian's header-only JSON and CLI11 are offered
# through a folder of their own, since a mingw build must not see
# /usr/include whole.
set(MIRELINK_MINGW_PREFIX "" CACHE PATH "Where mingw-libpng.sh installed libpng for mingw")
if(MIRELINK_MINGW_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${MIRELINK_MINGW_PREFIX})
  # zlib linked in, like everything else: the runner imports only system DLLs.
  set(ZLIB_USE_STATIC_LIBS ON)
  find_package(PNG REQUIRED)
  set(headers ${PROJECT_BINARY_DIR}/runner-headers)
  file(MAKE_DIRECTORY ${headers})
  file(CREATE_LINK /usr/include/nlohmann ${headers}/nlohmann SYMBOLIC)
  file(CREATE_LINK /usr/include/CLI ${headers}/CLI SYMBOLIC)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${headers})
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${headers})
  add_subdirectory(hosts/files)
  add_subdirectory(hosts/headless)

  # The scenario scripts and golden plays, the runner run by Wine.
  enable_testing()
  add_subdirectory(tests/scenarios)
  add_subdirectory(tests/golden)
  # Both programs run on a bare Windows: they import no DLL of mingw's own.
  foreach(program mirelink mirelink-headless)
    add_test(NAME windows.${program}_imports_only_system_dlls COMMAND ${CMAKE_OBJDUMP} -p $<TARGET_FILE:${program}>)
    set_tests_properties(windows.${program}_imports_only_system_dlls PROPERTIES
      PASS_REGULAR_EXPRESSION "DLL Name: KERNEL32"
      FAIL_REGULAR_EXPRESSION "DLL Name: (zlib|libpng|libstdc|libgcc|libwinpthread)")
  endforeach()
  add_test(NAME windows.installer_installs_and_uninstalls
    COMMAND ${PROJECT_SOURCE_DIR}/tests/hosts/win32/installer_test.sh
            ${MIRELINK_INSTALLER} $<TARGET_FILE:mirelink>)
endif()

# The game's unit tests, built with Debian's GoogleTest source, run by Wine.
option(MIRELINK_WINDOWS_TESTS "Build the game's unit tests for Windows" OFF)
if(MIRELINK_WINDOWS_TESTS)
  enable_testing()
  include(GoogleTest)
  # Listed when ctest runs, in its Wine prefix, not at build time in none.
  set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  add_subdirectory(tests/support)
  foreach(dir app board gfx play)
    add_subdirectory(tests/${dir})
  endforeach()
  # The platform stand-in's, the single-instance channel's between real processes.
  add_subdirectory(tests/platform)
endif()

# With the runner's libpng: the picture codec and packer, the pictures the
# program carries, the resource tools, and the runner's own parts. The art
# generator and the contact sheet draw with Cairo, which has no Windows build:
# their tests stay on Linux.
if(MIRELINK_WINDOWS_TESTS AND MIRELINK_MINGW_PREFIX)
  add_subdirectory(tools/dbb)
  add_subdirectory(tools/resgen EXCLUDE_FROM_ALL)
  foreach(dir codec res tools hosts/headless)
    add_subdirectory(tests/${dir})
  endforeach()
endif()
