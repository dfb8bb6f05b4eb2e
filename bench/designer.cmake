if(WIN32)
    zt_wine_bench(tesseldes_start_bench SOURCES win/tesseldes_start_bench.cpp
                  DEPENDS tesseldes)
endif()
