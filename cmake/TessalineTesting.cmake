# GoogleTest: the installed package natively, built from Debian's sources when cross-compiling.
if(CMAKE_CROSSCOMPILING)
  if(NOT TARGET GTest::gtest_main)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# The programs that hold tests which start threads: what the ThreadSanitizer run builds.
add_custom_target(threaded_tests)

# tessaline_test(name SOURCES... LIBS ...): one gtest binary registered with ctest.
# A test that starts threads belongs to a suite whose name ends in "Threads": such tests carry the
# ctest label "threads", which the ThreadSanitizer run selects, and their program joins threaded_tests.
function(tessaline_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  tessaline_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  set(threaded "")
  foreach(source IN LISTS T_SOURCES)
    get_filename_component(source ${source} ABSOLUTE)
    file(STRINGS ${source} suites REGEX "^TEST(_F)? *\\( *[A-Za-z0-9_]*Threads *,")
    list(APPEND threaded ${suites})
  endforeach()
  set(discovery DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
  if(threaded)
    gtest_discover_tests(${name} ${discovery} TEST_FILTER "*Threads.*" PROPERTIES LABELS threads)
    gtest_discover_tests(${name} ${discovery} TEST_FILTER "-*Threads.*")
    add_dependencies(threaded_tests ${name})
  else()
    gtest_discover_tests(${name} ${discovery})
  endif()
endfunction()
