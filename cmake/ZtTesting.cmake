# Test helpers shared by every folder.
#
#   zt_portable_test(NAME SOURCES ... [LIBS ...])
#       Portable GoogleTest program. Natively it runs directly; in the cross
#       builds the same program is built for Windows and run under wine.
#   zt_wine_test(NAME SOURCES ... [LIBS ...] [DEPENDS targets...] [TIMEOUT s] [OWN_MAIN]
#                [COMPOSITOR])
#       Win32 GoogleTest program, cross builds only, run under wine. OWN_MAIN:
#       the sources bring main() (for a program that also plays a second
#       process when started with arguments of its own). COMPOSITOR: a
#       compositor runs on the display for this program only, so translucent
#       windows show translucent on the screen it reads back. Wine tests
#       share one prefix, one Windows folder and one desktop, so they never run
#       at the same time as each other.
#   zt_monitors_test(NAME SOURCES ... [LIBS ...] [DEPENDS targets...] [TIMEOUT s])
#       Win32 GoogleTest program run twice on a desktop of two monitors: with
#       the second monitor right of the primary (its tests named
#       SecondMonitor* and Dpi*), then left of it (LeftMonitor*), each time
#       with a prefix and an X server of its own (scripts/monitors-test.sh).
#       It still takes the shared prefix's lock: two wine programs at once
#       on a machine of two cores would slow each other's windows.
#   zt_win_helper(NAME SOURCES ... [LIBS ...])
#       A small Windows program that a wine test starts as a second process.
#   zt_native_bench(NAME SOURCES ... [LIBS ...])
#       Google Benchmark program, native build only; not a test.
#   zt_wine_bench(NAME SOURCES ... [LIBS ...])
#       A Windows program that measures and prints its figures; not a test.

set(ZT_WINE "wine" CACHE STRING "wine launcher used to run cross-built tests")

macro(zt_setup_test_frameworks)
    if(WIN32)
        set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
        add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
        set(ZT_GTEST_MAIN gtest_main)
    else()
        find_package(GTest REQUIRED)
        find_package(benchmark QUIET)
        set(ZT_GTEST_MAIN GTest::gtest_main)
    endif()
endmacro()

function(_zt_arch_prefix out)
    if(NOT WIN32)
        set(${out} "native" PARENT_SCOPE)
    elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(${out} "win64" PARENT_SCOPE)
    else()
        set(${out} "win32" PARENT_SCOPE)
    endif()
endfunction()

function(_zt_add_wine_ctest name timeout)
    _zt_arch_prefix(arch)
    # The guard reports a 32-bit program as skipped on a machine that runs none.
    set(launcher ${PROJECT_SOURCE_DIR}/scripts/wine-test.sh ${arch} ${ZT_WINE})
    if(ARGN)
        set(launcher ${PROJECT_SOURCE_DIR}/scripts/wine-test.sh ${arch}
            ${PROJECT_SOURCE_DIR}/scripts/with-compositor.sh ${ZT_WINE})
    endif()
    add_test(NAME ${arch}.${name}
             COMMAND ${launcher} $<TARGET_FILE_NAME:${name}> --gtest_brief=1
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    set_tests_properties(${arch}.${name} PROPERTIES
        RESOURCE_LOCK wineprefix TIMEOUT ${timeout} LABELS "wine;${arch}"
        SKIP_RETURN_CODE 77)
endfunction()

function(zt_portable_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} ${ZT_GTEST_MAIN})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    if(WIN32)
        _zt_add_wine_ctest(${name} 300)
    else()
        add_test(NAME native.${name} COMMAND ${name} --gtest_brief=1)
        set_tests_properties(native.${name} PROPERTIES TIMEOUT 300 LABELS native)
    endif()
endfunction()

# The Windows test program of a wine test, in the caller's scope: parses the
# caller's arguments into T_* (TIMEOUT defaults to 300 s) and builds the
# program from its sources and libraries, the test support library and
# GoogleTest (with its main unless OWN_MAIN).
macro(_zt_wine_test_program name)
    cmake_parse_arguments(T "OWN_MAIN;COMPOSITOR" "TIMEOUT" "SOURCES;LIBS;DEPENDS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    add_executable(${name} ${T_SOURCES})
    if(T_OWN_MAIN)
        target_link_libraries(${name} PRIVATE ${T_LIBS} zt_test_support gtest)
    else()
        target_link_libraries(${name} PRIVATE ${T_LIBS} zt_test_support ${ZT_GTEST_MAIN})
    endif()
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    if(T_DEPENDS)
        add_dependencies(${name} ${T_DEPENDS})
    endif()
endmacro()

function(zt_wine_test name)
    if(NOT WIN32)
        return()
    endif()
    _zt_wine_test_program(${name} ${ARGN})
    if(T_COMPOSITOR)
        _zt_add_wine_ctest(${name} ${T_TIMEOUT} COMPOSITOR)
    else()
        _zt_add_wine_ctest(${name} ${T_TIMEOUT})
    endif()
endfunction()

function(zt_monitors_test name)
    if(NOT WIN32)
        return()
    endif()
    _zt_wine_test_program(${name} ${ARGN})
    _zt_arch_prefix(arch)
    get_filename_component(prefix ${CMAKE_BINARY_DIR}/../wineprefix-monitors ABSOLUTE)
    foreach(layout right left)
        if(layout STREQUAL right)
            set(conf xorg-two-monitors.conf)
            set(filter "SecondMonitor*:Dpi*")
        else()
            set(conf xorg-two-monitors-left.conf)
            set(filter "LeftMonitor*")
        endif()
        add_test(NAME ${arch}.${name}.${layout}
                 COMMAND ${PROJECT_SOURCE_DIR}/scripts/monitors-test.sh ${arch} ${conf} ${prefix}
                         ${ZT_WINE} $<TARGET_FILE_NAME:${name}> --gtest_brief=1
                         --gtest_filter=${filter}
                 WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
        set_tests_properties(${arch}.${name}.${layout} PROPERTIES
            RESOURCE_LOCK "wineprefix;wineprefix-monitors" TIMEOUT ${T_TIMEOUT}
            LABELS "wine;${arch};monitors" SKIP_RETURN_CODE 77)
    endforeach()
endfunction()

function(zt_win_helper name)
    if(NOT WIN32)
        return()
    endif()
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()

function(zt_native_bench name)
    if(WIN32 OR NOT benchmark_FOUND)
        return()
    endif()
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} benchmark::benchmark)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()

function(zt_wine_bench name)
    if(NOT WIN32)
        return()
    endif()
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;DEPENDS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    if(T_DEPENDS)
        add_dependencies(${name} ${T_DEPENDS})
    endif()
endfunction()
