# Window shadows: placement, shapes and pictures, natively and under wine.
zt_portable_test(shadow_logic_tests
    SOURCES shadow_geometry_test.cpp shadow_image_test.cpp
    LIBS zrv_logic)

# Shadow windows on real windows, the library's code linked in.
zt_wine_test(shadow_tests
    SOURCES win/shadow_test.cpp
    LIBS zrv_core)

# A thousand shadowed windows: nothing left behind. Prints its figures.
zt_wine_test(shadow_stress_tests
    SOURCES win/shadow_stress_test.cpp
    LIBS zrv_core)
