# Fails when a C++ file of src/, tools/, tests/, fuzz/ or bench/ is not formatted as
# .clang-format says. Run as: cmake -DROOT=<source dir> [-DCLANG_FORMAT=<path>] -P check_format.cmake
if(NOT CLANG_FORMAT)
  find_program(CLANG_FORMAT clang-format)
endif()
if(NOT CLANG_FORMAT)
  message("format check skipped: clang-format not found")
  return()
endif()
file(GLOB_RECURSE files
  ${ROOT}/src/*.cc ${ROOT}/src/*.h ${ROOT}/tools/*.cc ${ROOT}/tools/*.h
  ${ROOT}/tests/*.cc ${ROOT}/tests/*.h ${ROOT}/fuzz/*.cc ${ROOT}/fuzz/*.h
  ${ROOT}/bench/*.cc ${ROOT}/bench/*.h)
list(SORT files)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files}
  RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "unformatted code (run clang-format -i on these files):\n${errors}")
endif()
list(LENGTH files count)
message("format check: ${count} files formatted")
