# The Windows tests: GoogleTest built from its sources with the cross compiler, every test program linked
# statically and run by ctest under wine64 (tests/platform/win32/wine_session.sh prepares the desktop).
# The 64-bit build runs them; the 32-bit build compiles them only, since this kernel runs no 32-bit code.
enable_testing()
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/platform/win32/wine_run.sh)
endif()
set(ALARMCLOCK_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, built for the target")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${ALARMCLOCK_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
include(${PROJECT_SOURCE_DIR}/cmake/alarmclock_add_test.cmake)
add_subdirectory(tests/platform/win32)
add_subdirectory(tests/e2e)
