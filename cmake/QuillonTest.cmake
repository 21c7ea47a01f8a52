# quillon_test(NAME SOURCES... LIBS lib... [RUNNER script]) builds one GoogleTest program and
# registers it with CTest. On the Windows tree CTest runs it under Wine through the emulator
# setting, or through `bash script program` when a RUNNER is given.
# Each program writes its results as XML; tools/run-tests.sh counts them.
function(quillon_test name)
  cmake_parse_arguments(QT "" "RUNNER" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${QT_SOURCES} ${QT_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${QT_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_options(${name} PRIVATE ${QUILLON_WARNINGS})
  if(QT_RUNNER)
    add_test(NAME ${name} COMMAND bash ${QT_RUNNER} $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  # Under Wine the build tree is reached through drive Z:.
  set(results "${CMAKE_BINARY_DIR}/test-results/${name}.xml")
  if(WIN32)
    set(results "Z:${results}")
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "GTEST_OUTPUT=xml:${results}"
    TIMEOUT 900)
endfunction()
