# The fuzz targets as tests of the native build: each target of tests/fuzz/ runs its checked-in
# corpus and then fuzzes for a few seconds (scripts/fuzz TARGET 3), so that a target that no longer
# builds, or that fails on its corpus or on what it finds at once, fails the test run. Registered
# only when TINDLOW_FUZZ_BUILD_DIR names the clang build with TINDLOW_FUZZ on (scripts/build makes
# it in build/fuzz); the tests use that build as it is and do not rebuild it.
set(TINDLOW_FUZZ_BUILD_DIR "" CACHE PATH "Build directory of the libFuzzer targets (TINDLOW_FUZZ)")
if(TINDLOW_FUZZ_BUILD_DIR)
  file(GLOB FUZZ_TARGET_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  foreach(fuzz_source ${FUZZ_TARGET_SOURCES})
    get_filename_component(fuzz_target ${fuzz_source} NAME_WE)
    add_test(NAME fuzz.${fuzz_target}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuzz ${fuzz_target} 3)
    set_tests_properties(fuzz.${fuzz_target} PROPERTIES
      ENVIRONMENT "TINDLOW_FUZZ_BUILD_DIR=${TINDLOW_FUZZ_BUILD_DIR};TINDLOW_FUZZ_NO_BUILD=1"
      LABELS fuzz TIMEOUT 120)
  endforeach()
endif()
