# Mixing menus with their background: shipped against literal, on every build.
zt_native_bench(menu_blend_bench
    SOURCES menu_blend_bench.cpp
    LIBS zrv_logic)
zt_wine_bench(menu_blend_bench
    SOURCES menu_blend_bench.cpp
    LIBS zrv_logic)

# One whole repaint of a menu cover under the real menu loop; with "show", a
# translucent menu held open for screenshots.
zt_wine_bench(menu_cover_bench
    SOURCES win/menu_cover_bench.cpp
    LIBS zrv_core zt_test_support)
