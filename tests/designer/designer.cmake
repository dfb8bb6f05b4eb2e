zt_portable_test(designer_logic_tests
    SOURCES design_model_test.cpp panel_rules_test.cpp
    LIBS tesseldes_logic)

# The real tesseldes.exe (and tessel.exe on what it writes) under wine.
zt_wine_test(tesseldes_tests
    SOURCES win/tesseldes_test.cpp win/designer_fixture.cpp
    LIBS tesseldes_logic shell32
    DEPENDS tesseldes tessel
    TIMEOUT 240)
