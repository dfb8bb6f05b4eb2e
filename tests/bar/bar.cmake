zt_portable_test(bar_logic_tests
    SOURCES geometry_test.cpp cpu_graph_test.cpp task_layout_test.cpp
    LIBS tessel_logic)
