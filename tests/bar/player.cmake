# The player's file readers, sound levels and element logic.
zt_portable_test(player_logic_tests
    SOURCES media_header_test.cpp mp3_player_test.cpp
    LIBS tessel_logic)
