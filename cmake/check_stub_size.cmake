# Fails the build when the stub would overlap the package that starts at LIMIT.
file(SIZE "${FILE}" size)
if(size GREATER_EQUAL LIMIT)
  message(FATAL_ERROR "${FILE} is ${size} bytes; the stub must stay below ${LIMIT} bytes")
endif()
message(STATUS "stub size: ${size} bytes (limit ${LIMIT})")
