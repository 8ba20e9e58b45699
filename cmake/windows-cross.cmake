# What the Windows build needs that Debian ships only for Linux: GoogleTest is built from its sources,
# and CLI11 (header-only) is reached without putting the host's /usr/include on the include path.

# The test programs run under Wine, which shows this machine's root folder as drive Z:.
set(VELKOR_HOST_PATH_PREFIX "Z:" CACHE STRING "How the Windows programs see this machine's root folder")

if(VELKOR_TESTS AND NOT TARGET GTest::gtest)
  set(VELKOR_GOOGLETEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources to build for Windows")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(${VELKOR_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(lib gtest gmock)
    # Third-party code: its warnings are not ours to turn into errors.
    target_compile_options(${lib} PRIVATE -w)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
endif()

if(NOT TARGET CLI11::CLI11)
  find_path(VELKOR_CLI11_HEADERS NAMES CLI/CLI.hpp PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH)
  if(VELKOR_CLI11_HEADERS)
    set(cli11_dir ${PROJECT_BINARY_DIR}/cli11-include)
    file(MAKE_DIRECTORY ${cli11_dir})
    file(CREATE_LINK ${VELKOR_CLI11_HEADERS}/CLI ${cli11_dir}/CLI SYMBOLIC)
    add_library(CLI11::CLI11 INTERFACE IMPORTED)
    target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${cli11_dir})
    set(CLI11_FOUND TRUE)
  endif()
endif()
