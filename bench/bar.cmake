if(WIN32)
    zt_wine_bench(task_walk_bench SOURCES win/task_walk_bench.cpp LIBS tessel_core)
    zt_wine_bench(tessel_idle_bench SOURCES win/tessel_idle_bench.cpp LIBS psapi DEPENDS tessel)
endif()
