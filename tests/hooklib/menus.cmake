# Translucent menus: the shadow ramp and the mix, natively and under wine.
zt_portable_test(menu_image_tests
    SOURCES menu_image_test.cpp
    LIBS zrv_logic)

# Real pop-up menus, both methods, the library's code linked in.
zt_wine_test(menu_tests
    SOURCES win/menu_test.cpp
    LIBS zrv_core)
