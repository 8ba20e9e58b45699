# What the Windows build needs that Debian ships only for Linux: GoogleTest is built from its sources,
# and CLI11 (header-only) is reached without putting the host's /usr/include on the include path.

# The programs without Qt carry the compiler's runtime inside, so velkor-convert.exe runs from any folder
# on its own. Those with Qt (their target property VELKOR_SHARED_RUNTIME set) share the runtime DLLs
# with Qt's, which were built against them: one C++ runtime in the process.
add_link_options("$<$<NOT:$<BOOL:$<TARGET_PROPERTY:VELKOR_SHARED_RUNTIME>>>:-static;-static-libgcc;-static-libstdc++>")

# The program icon and version as a Windows resource of `target`.
function(velkor_windows_resource target description)
  set(VELKOR_RC_NAME ${target})
  set(VELKOR_RC_FILE ${target}.exe)
  set(VELKOR_RC_DESCRIPTION ${description})
  foreach(part MAJOR MINOR PATCH TWEAK)
    if(PROJECT_VERSION_${part} STREQUAL "")
      list(APPEND numbers 0)
    else()
      list(APPEND numbers ${PROJECT_VERSION_${part}})
    endif()
  endforeach()
  list(JOIN numbers "," VELKOR_RC_VERSION)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows_resource.rc.in ${PROJECT_BINARY_DIR}/generated/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/generated/${target}.rc)
  set_property(SOURCE ${PROJECT_BINARY_DIR}/generated/${target}.rc APPEND PROPERTY OBJECT_DEPENDS
    ${PROJECT_SOURCE_DIR}/packaging/velkor.ico)
endfunction()

# Qt and QScintilla for Windows, cross-built once per machine (scripts/build-windows-qt prints the folder).
# Qt's tools (moc, rcc, uic) are the host's, of the same version.
set(VELKOR_WINDOWS_QT_DIR "" CACHE PATH "Qt and QScintilla cross-built for Windows (scripts/build-windows-qt)")
if(VELKOR_WINDOWS_QT_DIR)
  list(APPEND CMAKE_FIND_ROOT_PATH ${VELKOR_WINDOWS_QT_DIR}/qt ${VELKOR_WINDOWS_QT_DIR}/qscintilla)
  set(QT_HOST_PATH /usr CACHE PATH "The host's Qt, whose tools the cross build runs")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "The host Qt's CMake packages")
elseif(VELKOR_GUI)
  message(STATUS "No VELKOR_WINDOWS_QT_DIR: the desktop program is not built for Windows")
  set(VELKOR_GUI OFF)
endif()

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
