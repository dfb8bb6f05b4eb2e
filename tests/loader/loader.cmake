# The loader's window-free rules, natively and under wine.
zt_portable_test(loader_rules_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/loader_rules_test.cpp
    LIBS zrvload_rules)

# The real zrvload.exe as a process: start-up, the second copy, unload, the
# missing library, the tray callback.
zt_wine_test(loader_process_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/win/loader_process_test.cpp
    DEPENDS zrvload zrv
    TIMEOUT 240)

# The sheet's pages and dialogs driven by messages inside the test program,
# which carries the loader's templates.
zt_wine_test(loader_pages_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/win/loader_pages_test.cpp ${ZRVLOAD_RC}
    LIBS zrvload_core
    TIMEOUT 240)
if(TARGET loader_pages_tests)
    target_include_directories(loader_pages_tests PRIVATE ${PROJECT_SOURCE_DIR}/loader)
    file(GLOB ZRVLOAD_PICTURES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/loader/res/*)
    set_source_files_properties(${ZRVLOAD_RC} PROPERTIES
        OBJECT_DEPENDS "${ZRVLOAD_PICTURES};${PROJECT_SOURCE_DIR}/loader/resource.h")
endif()

# The stand-in library the pages test loads to see the sheet's notification.
if(WIN32)
    add_library(zrv_update_counter SHARED ${CMAKE_CURRENT_LIST_DIR}/win/update_counter_dll.cpp)
    set_target_properties(zrv_update_counter PROPERTIES PREFIX "" OUTPUT_NAME zrv
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/counter)
    target_link_options(zrv_update_counter PRIVATE -Wl,--kill-at)
    add_dependencies(loader_pages_tests zrv_update_counter)
endif()
