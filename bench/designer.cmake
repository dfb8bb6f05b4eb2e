if(WIN32)
    zt_wine_bench(tesseldes_start_bench SOURCES win/tesseldes_start_bench.cpp
                  LIBS tesseldes_logic DEPENDS tesseldes)
endif()
