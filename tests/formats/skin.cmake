zt_portable_test(skin_format_tests
    SOURCES list_input_test.cpp skin_files_test.cpp bitmap_file_test.cpp twips_test.cpp
    LIBS zt_formats)
