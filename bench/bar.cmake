if(WIN32)
    zt_wine_bench(task_walk_bench SOURCES win/task_walk_bench.cpp LIBS tessel_core)
    zt_wine_bench(tessel_idle_bench SOURCES win/tessel_idle_bench.cpp LIBS psapi DEPENDS tessel)
endif()
if(WIN32)
    zt_wine_bench(tessel_play_bench
        SOURCES win/tessel_play_bench.cpp ${PROJECT_SOURCE_DIR}/tests/bar/win/bar_fixture.cpp
                ${PROJECT_SOURCE_DIR}/tests/bar/win/sound_fixture.cpp
        LIBS tessel_core zt_test_support shell32 winmm
        DEPENDS tessel)
endif()
