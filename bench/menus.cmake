# Mixing menus with their background: shipped against literal, on every build.
zt_native_bench(menu_blend_bench
    SOURCES menu_blend_bench.cpp
    LIBS zrv_logic)
zt_wine_bench(menu_blend_bench
    SOURCES menu_blend_bench.cpp
    LIBS zrv_logic)
