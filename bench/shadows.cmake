# Rebuilding graded window shadows: shipped against literal rendering.
zt_native_bench(shadow_bench
    SOURCES shadow_bench.cpp
    LIBS zrv_logic)
