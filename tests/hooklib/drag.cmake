# Translucent dragging, maximize to set size and desktop icon text colours.
zt_portable_test(maximize_logic_tests
    SOURCES maximize_placement_test.cpp
    LIBS zrv_logic)

# Stands in for the shell: builds the desktop's icon list tree under
# whatever file name it is started as, the library's code linked in.
zt_win_helper(icon_list_host
    SOURCES win/icon_list_host.cpp
    LIBS zrv_core comctl32)

# Real title-bar drags with synthesized mouse input, maximizing real windows,
# and the icon list in a process named like the shell.
zt_wine_test(drag_tests
    SOURCES win/drag_test.cpp win/drag_support.cpp win/maximize_test.cpp
        win/icon_text_test.cpp
    LIBS zrv_core
    DEPENDS icon_list_host
    COMPOSITOR)
