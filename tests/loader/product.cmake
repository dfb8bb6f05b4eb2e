# A plain program with a captioned window, for `make run` and the tests that
# watch effects from outside.
zt_win_helper(sample_window
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/../support/win/sample_window.cpp)
if(TARGET sample_window)
    target_link_options(sample_window PRIVATE -mwindows)
endif()

# The shipped programs together: exclusion, and on win64 the 32-bit companion
# (its programs come from the 32-bit tree beside this one); and the settings
# guard these tests share the development prefix through.
zt_wine_test(product_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/win/product_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/../support/win/settings_guard_test.cpp
    DEPENDS zrvload zrv sample_window
    TIMEOUT 240)
if(TARGET product_tests AND CMAKE_SIZEOF_VOID_P EQUAL 8)
    target_compile_definitions(product_tests PRIVATE "ZT_WIN32_BIN=\"${ZT_WIN32_BIN}\"")
endif()

# The companion's stand-in library (see companion_counter_dll.cpp), beside the
# same-bitness build of the companion in the lifecycle tests.
if(TARGET product_tests)
    add_library(zrv_companion_counter SHARED ${CMAKE_CURRENT_LIST_DIR}/win/companion_counter_dll.cpp)
    set_target_properties(zrv_companion_counter PROPERTIES PREFIX "" OUTPUT_NAME zrv
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/companion_counter)
    target_link_options(zrv_companion_counter PRIVATE -Wl,--kill-at)
    add_dependencies(product_tests zrv_companion_counter zrvload32)
endif()

# The installer, silently installed, started and uninstalled under wine
# (`make package` builds it; without it the test is skipped). It installs the
# 64-bit folder on the test prefix, so it belongs to the 64-bit tree.
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_test(NAME win64.package_install
             COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/test-package.sh ${PROJECT_SOURCE_DIR}/dist/setup.exe)
    set_tests_properties(win64.package_install PROPERTIES
        RESOURCE_LOCK wineprefix TIMEOUT 300 LABELS "wine;win64" SKIP_RETURN_CODE 77)
endif()
