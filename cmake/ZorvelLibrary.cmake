# zorvel_library(NAME SOURCES ... DEPS ...)
# One static library per src/ folder. Headers are included as "folder/File.h" from src/.
# Which folder may use which is checked by tools/check_layering.py (run as a test).
function(zorvel_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(zorvel_${name} STATIC ${ARG_SOURCES})
  target_include_directories(zorvel_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(zorvel_${name} PUBLIC ${ARG_DEPS})
endfunction()

# zorvel_test(NAME SOURCES ... DEPS ...): one GoogleTest program per library.
function(zorvel_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(test_${name} ${ARG_SOURCES})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(test_${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(test_${name} PRIVATE ZORVEL_REALDATA_DIR="${PROJECT_SOURCE_DIR}/../shared/realdata")
  add_test(NAME ${name} COMMAND test_${name})
endfunction()
