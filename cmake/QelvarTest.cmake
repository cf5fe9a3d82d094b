include(GoogleTest)

# qelvar_add_test(NAME SOURCES... [LIBS libs...] [ENV VAR=value...]
#                 [SUFFIX text])
# One GoogleTest executable, registered with CTest case by case. In the Windows
# tree the cases run under Wine through CMAKE_CROSSCOMPILING_EMULATOR; discovery
# happens when CTest runs, so building never needs Wine.
# SUFFIX is appended to each case's name, for the same cases run a second way.
function(qelvar_add_test name)
  cmake_parse_arguments(T "" "SUFFIX" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  # A window that nobody answers would otherwise wait for ever.
  set(props PROPERTIES TIMEOUT 120)
  if(T_ENV)
    list(APPEND props ENVIRONMENT "${T_ENV}")
  endif()
  gtest_discover_tests(${name}
    TEST_SUFFIX "${T_SUFFIX}"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    ${props})
endfunction()
