zt_portable_test(bar_logic_tests
    SOURCES geometry_test.cpp cpu_graph_test.cpp task_layout_test.cpp file_choice_test.cpp
            program_editing_test.cpp program_list_test.cpp
    LIBS tessel_logic)

# The real tessel.exe under wine, in program folders the tests make.
zt_wine_test(tessel_tests
    SOURCES win/tessel_test.cpp win/bar_fixture.cpp
    LIBS zt_formats shell32
    DEPENDS tessel
    TIMEOUT 240)

# The bar's dialogs, driven with the mouse.
zt_wine_test(tessel_dialog_tests
    SOURCES win/tessel_dialogs_test.cpp win/bar_fixture.cpp
    LIBS zt_formats shell32 ole32 uuid
    DEPENDS tessel
    TIMEOUT 300)

# The default skin as the generator draws it (native build only: it reads
# the generated files by their build path).
if(NOT WIN32)
    zt_portable_test(default_skin_tests SOURCES default_skin_test.cpp LIBS tessel_logic)
    target_compile_definitions(default_skin_tests PRIVATE
        TESSEL_DEFAULT_SKIN="${TESSEL_DEFAULT_SKIN}")
    add_dependencies(default_skin_tests tessel_default_skin)
endif()
