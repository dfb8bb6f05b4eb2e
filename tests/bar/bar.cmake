zt_portable_test(bar_logic_tests
    SOURCES geometry_test.cpp cpu_graph_test.cpp task_layout_test.cpp
    LIBS tessel_logic)

# The real tessel.exe under wine, in program folders the tests make.
zt_wine_test(tessel_tests
    SOURCES win/tessel_test.cpp win/bar_fixture.cpp
    LIBS zt_formats shell32
    DEPENDS tessel
    TIMEOUT 240)
