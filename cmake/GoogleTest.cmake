# GoogleTest is built from Debian's source with whichever compiler this tree uses,
# so the Windows tree gets a gtest of its own made by the cross compiler.
set(QELVAR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(NOT EXISTS ${QELVAR_GTEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest source not found at ${QELVAR_GTEST_SOURCE} (package googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${QELVAR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
