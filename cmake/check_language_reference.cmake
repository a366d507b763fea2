# Writes the language reference from the grammars and fails when the
# committed docs/language.md says otherwise.
execute_process(COMMAND "${GENERATOR}" "${ROUTE}" "${SCENARIO}" "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "language_reference failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUTPUT}" "${COMMITTED}"
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${COMMITTED} is not what the grammars say; "
                      "rebuild the target language-reference and commit the file")
endif()
message(STATUS "language reference up to date")
