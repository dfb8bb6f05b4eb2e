if(WIN32)
    # Starting a translucent drag of a large window against a plain copy of
    # the same screen area, in the same run.
    zt_wine_bench(drag_start_bench SOURCES win/drag_start_bench.cpp
        LIBS zrv_core zt_test_support)
endif()
