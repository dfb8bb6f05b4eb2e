# Per-window state, fade-in and slide-in.
zt_portable_test(hooklib_effects_logic_tests
    SOURCES tracked_window_table_test.cpp appearance_test.cpp
    LIBS zrv_logic)
