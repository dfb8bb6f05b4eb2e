# The fuzz targets in the native build: built as a project of their own with
# clang (ExternalProject), each run for a few seconds as a test. `make fuzz`
# runs them for longer.
find_program(ZT_CLANGXX NAMES clang++ clang++-14)
if(NOT ZT_CLANGXX)
    message(STATUS "clang++ not found: no fuzz targets")
    return()
endif()

include(ExternalProject)
set(ZT_FUZZ_BUILD ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(zt_fuzz_targets
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/fuzz
    BINARY_DIR ${ZT_FUZZ_BUILD}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${ZT_CLANGXX} -DCMAKE_BUILD_TYPE=Release
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")

set(ZT_FUZZ_TEST_SECONDS 3 CACHE STRING "seconds each fuzz target runs in the tests")
foreach(t fuzz_list_input fuzz_skin_settings fuzz_program_list fuzz_skin_choice
          fuzz_profile_values fuzz_app_list fuzz_media_headers fuzz_bitmap_file)
    # New inputs go to a scratch folder; the committed seeds are only read.
    add_test(NAME native.${t}
             COMMAND ${CMAKE_COMMAND} -E env ${PROJECT_SOURCE_DIR}/scripts/run-fuzz-target.sh
                     ${ZT_FUZZ_BUILD}/bin/${t} ${ZT_FUZZ_BUILD}/scratch/${t}
                     ${PROJECT_SOURCE_DIR}/fuzz/corpus/${t} ${ZT_FUZZ_TEST_SECONDS})
    set_tests_properties(native.${t} PROPERTIES LABELS "fuzz;native" TIMEOUT 120)
endforeach()
