# The player's file readers, sound levels and element logic.
zt_portable_test(player_logic_tests
    SOURCES media_header_test.cpp mp3_player_test.cpp
    LIBS tessel_logic)

# The media component under wine, heard through the sound server the test
# script starts.
zt_wine_test(media_player_tests
    SOURCES win/media_player_test.cpp win/sound_fixture.cpp
    LIBS tessel_core
    TIMEOUT 120)
