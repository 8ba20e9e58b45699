# One GoogleTest program per test folder; the core folders run a second time under a decimal-comma locale.
if(NOT TARGET GTest::gtest)
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

set(VELKOR_SHARED_DIR "${PROJECT_SOURCE_DIR}/../shared" CACHE PATH "Independently written samples and the LandXML schema")
# Paths as the test programs see them (under Wine the host's root folder is a drive of its own).
set(VELKOR_TEST_SOURCE_DIR "${VELKOR_HOST_PATH_PREFIX}${PROJECT_SOURCE_DIR}")
set(VELKOR_TEST_BINARY_DIR "${VELKOR_HOST_PATH_PREFIX}${PROJECT_BINARY_DIR}")
set(VELKOR_TEST_SHARED_DIR "${VELKOR_HOST_PATH_PREFIX}${VELKOR_SHARED_DIR}")
configure_file(${PROJECT_SOURCE_DIR}/tests/test_paths.h.in ${PROJECT_BINARY_DIR}/generated/test_paths.h @ONLY)

add_library(velkor_test_main STATIC ${PROJECT_SOURCE_DIR}/tests/test_main.cpp ${PROJECT_SOURCE_DIR}/tests/test_support.cpp)
target_include_directories(velkor_test_main PUBLIC ${PROJECT_BINARY_DIR}/generated ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(velkor_test_main PUBLIC velkor_core GTest::gtest GTest::gmock)
if(TARGET velkor_samples)
  target_link_libraries(velkor_test_main PUBLIC velkor_samples)
endif()

set(VELKOR_COMMA_LOCALE "tr_TR.UTF-8" CACHE STRING "Locale of the second core test run")

foreach(dir base import export ncz review cli)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${dir}/*.cpp)
  if(NOT sources)
    continue()
  endif()
  add_executable(velkor_tests_${dir} ${sources})
  target_link_libraries(velkor_tests_${dir} PRIVATE velkor_test_main)
  if(dir STREQUAL "cli" AND TARGET velkor-convert)
    add_dependencies(velkor_tests_${dir} velkor-convert)
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Listing the tests would mean running a foreign program at build time; scripts/test-windows runs them.
    add_test(NAME ${dir} COMMAND velkor_tests_${dir} --gtest_brief=1)
  else()
    gtest_discover_tests(velkor_tests_${dir} TEST_PREFIX "${dir}." DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
      PROPERTIES ENVIRONMENT "LC_ALL=C.UTF-8")
  endif()
  add_test(NAME ${dir}.under_${VELKOR_COMMA_LOCALE}
    COMMAND velkor_tests_${dir} --gtest_brief=1)
  set_tests_properties(${dir}.under_${VELKOR_COMMA_LOCALE} PROPERTIES ENVIRONMENT "LC_ALL=${VELKOR_COMMA_LOCALE}")
endforeach()

if(EXISTS ${PROJECT_SOURCE_DIR}/tests/app/CMakeLists.txt AND TARGET velkor_app)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/app ${PROJECT_BINARY_DIR}/tests/app)
endif()

# The sources as .clang-format wants them (scripts/check-format --fix formats them), and every include
# going down the layers.
if(NOT CMAKE_CROSSCOMPILING)
  add_test(NAME format COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-format)
  add_test(NAME layers COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-layers)
endif()
