# sorandel_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable per area; every test case becomes a CTest test.
include(GoogleTest)

set(SORANDEL_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# sorandel_test_sources(<target>): what every test program and both programs carry in the
# sanitizer build.
function(sorandel_test_sources target)
  if(SORANDEL_SANITIZE)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/lsan_suppressions.cpp)
  endif()
endfunction()

function(sorandel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  sorandel_test_sources(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${SORANDEL_TEST_ENVIRONMENT}")
endfunction()

# sorandel_add_benchmark(<name> SOURCES <files...> LIBS <targets...>)
function(sorandel_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
