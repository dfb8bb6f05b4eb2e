# Per-window state, fade-in and slide-in.
zt_portable_test(hooklib_effects_logic_tests
    SOURCES tracked_window_table_test.cpp appearance_test.cpp
    LIBS zrv_logic)

if(WIN32)
    add_library(zrv_effects_harness STATIC win/effects_harness.cpp win/effects_soak.cpp)
    target_link_libraries(zrv_effects_harness PUBLIC zrv_core zt_test_support)
    target_include_directories(zrv_effects_harness PUBLIC ${PROJECT_SOURCE_DIR})
endif()

# Real windows with the library linked in and its hooks on the test thread;
# the program also plays the short soak, which binds the shipped library, and
# the soak's second process.
zt_wine_test(zrv_effects_tests OWN_MAIN
    SOURCES win/effects_test.cpp win/effects_test_main.cpp
    LIBS zrv_effects_harness
    DEPENDS zrv)
