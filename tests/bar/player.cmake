# The player's file readers, sound levels and element logic.
zt_portable_test(player_logic_tests
    SOURCES media_header_test.cpp mp3_player_test.cpp
    LIBS tessel_logic)

# The media component under wine, heard through the sound server the test
# script starts; and the CPU meter's load source.
zt_wine_test(media_player_tests
    SOURCES win/media_player_test.cpp win/sound_fixture.cpp win/cpu_usage_test.cpp
    LIBS tessel_core winmm
    TIMEOUT 120)

# The player on the real tessel.exe, driven with the mouse.
zt_wine_test(tessel_player_tests
    SOURCES win/tessel_player_test.cpp win/bar_fixture.cpp win/sound_fixture.cpp
    LIBS zt_formats shell32 comctl32
    DEPENDS tessel
    TIMEOUT 180)
