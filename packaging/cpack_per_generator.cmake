# Read by cpack once per generator.
if(CPACK_GENERATOR STREQUAL "DEB")
  # The Debian package leaves out the component "archive" (LICENSE, which it
  # states in its copyright file); the tarball and the zip install everything.
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_COMPONENTS_ALL Unspecified)
  # dpkg-shlibdeps, with the glibc version that packed relocations need.
  set(SHLIBDEPS_EXECUTABLE ${CMAKE_CURRENT_LIST_DIR}/shlibdeps.sh)
endif()
