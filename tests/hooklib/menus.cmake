# Translucent menus: the shadow ramp and the mix, natively and under wine.
zt_portable_test(menu_image_tests
    SOURCES menu_image_test.cpp
    LIBS zrv_logic)
