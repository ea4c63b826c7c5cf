# The stand-in framework and the checks built on it: the game API generated
# from the JASS API files at build time, the compile check of every corpus
# script (CTest label "compile") and the expression property test (label
# "property"). Included by the top-level CMakeLists.txt.
option(JASSCRIBE_COMPILE_CHECK "Add the compile check of the corpus to CTest" ON)
set(JASSCRIBE_CHECK_CXX g++ CACHE STRING "The compiler the compile check runs")

set(framework_api_files
  ${JASSCRIBE_SHARED}/api/common-2.0.2.j
  ${JASSCRIBE_SHARED}/corpus/Blizzard.j
  ${JASSCRIBE_SHARED}/api/common-ai-natives.j)
set(framework_generated_dir ${CMAKE_CURRENT_BINARY_DIR}/framework)

add_executable(framework_tests
  tests/framework/compile_check.cpp
  tests/framework/compile_check_test.cpp
  tests/framework/expression_property_test.cpp)
target_link_libraries(framework_tests PRIVATE jasscribe_core GTest::gtest_main)
target_include_directories(framework_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)
target_compile_definitions(framework_tests PRIVATE
  JASSCRIBE_SHARED_DIR="${JASSCRIBE_SHARED}"
  JASSCRIBE_CHECK_CXX="${JASSCRIBE_CHECK_CXX}"
  JASSCRIBE_FRAMEWORK_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/framework"
  JASSCRIBE_FRAMEWORK_GENERATED_DIR="${framework_generated_dir}")

# Translation faults of the corpus that are being corrected: the compile
# check reports them as known instead of failing ("script:function" items,
# see compile_check_test.cpp). Remove an item once its fault is corrected.
set(JASSCRIBE_KNOWN_FAULTS)

add_test(NAME expression_property COMMAND framework_tests --gtest_filter=ExpressionProperty.*)
set_tests_properties(expression_property PROPERTIES LABELS property)

set(framework_api_present TRUE)
foreach(api_file ${framework_api_files})
  if(NOT EXISTS ${api_file})
    set(framework_api_present FALSE)
  endif()
endforeach()
if(framework_api_present)
  add_executable(generate_api tests/framework/generate_api.cpp)
  add_custom_command(
    OUTPUT ${framework_generated_dir}/JassApi_declarations.h
    COMMAND ${CMAKE_COMMAND} -E make_directory ${framework_generated_dir}
    COMMAND generate_api ${framework_generated_dir}/JassApi_declarations.h ${framework_api_files}
    DEPENDS generate_api ${framework_api_files}
    COMMENT "Generating the stand-in framework's game API")
  add_custom_target(framework_api ALL DEPENDS ${framework_generated_dir}/JassApi_declarations.h)
  add_dependencies(framework_tests framework_api)
  if(JASSCRIBE_COMPILE_CHECK)
    add_test(NAME compile_check COMMAND framework_tests
      --gtest_filter=CompileCheckSelf.*:Corpus/CompileCheck.*)
    string(JOIN "," known_faults ${JASSCRIBE_KNOWN_FAULTS})
    set_tests_properties(compile_check PROPERTIES LABELS compile TIMEOUT 600
      ENVIRONMENT "JASSCRIBE_KNOWN_FAULTS=${known_faults}")
  endif()
endif()

# The execution tests (label "exec"): each program of tests/exec/ translated,
# built with the runnable stand-in (runtime.cpp) and run; see exec_test.cpp.
option(JASSCRIBE_EXEC_TESTS "Add the execution tests to CTest" ON)
set(JASSCRIBE_EXEC_CXX g++ CACHE STRING "The compiler that builds the execution tests' programs")
# Programs that show a translation fault being corrected (names, no ".j").
set(JASSCRIBE_EXEC_KNOWN_FAULTS)
if(framework_api_present AND JASSCRIBE_EXEC_TESTS)
  add_executable(exec_tests tests/exec/exec_test.cpp)
  target_link_libraries(exec_tests PRIVATE jasscribe_core GTest::gtest_main)
  target_include_directories(exec_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)
  target_compile_definitions(exec_tests PRIVATE
    JASSCRIBE_EXEC_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/exec"
    JASSCRIBE_EXEC_CXX="${JASSCRIBE_EXEC_CXX}"
    JASSCRIBE_FRAMEWORK_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/framework"
    JASSCRIBE_FRAMEWORK_GENERATED_DIR="${framework_generated_dir}")
  add_dependencies(exec_tests framework_api)
  add_test(NAME exec COMMAND exec_tests)
  string(JOIN "," exec_known_faults ${JASSCRIBE_EXEC_KNOWN_FAULTS})
  set_tests_properties(exec PROPERTIES LABELS exec TIMEOUT 300
    ENVIRONMENT "JASSCRIBE_EXEC_KNOWN_FAULTS=${exec_known_faults}")
endif()
