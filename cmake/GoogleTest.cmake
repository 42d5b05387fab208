# Native builds use Debian's installed GoogleTest; the Windows build compiles
# it from Debian's googletest sources with the cross compiler.
include(GoogleTest)
if(WIN32)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

# Discovery under Wine on a fresh prefix can take several seconds. Optional
# PROPERTIES are added to every discovered test (RUN_SERIAL, say): with
# discovery at test time the tests' names are not known when configuring.
function(tarvik_add_gtest target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PROPERTIES")
  target_link_libraries(${target} PRIVATE GTest::gtest_main)
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 120 ${arg_PROPERTIES})
endfunction()
