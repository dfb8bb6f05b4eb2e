// The file choice the bar's file browser shares with whoever opened it: the
// player for media files, the program list editor and the run dialog for
// programs. The browser writes it; its callers read it.
#pragma once

#include <cstdint>
#include <string>

namespace tessel {

inline constexpr char kMediaPattern[] = "*.mp3;*.wav;*.mid";
inline constexpr char kProgramPattern[] = "*.exe";

// Who opened the browser, so that a choice made for one caller is never
// taken up by another.
enum class ChoiceClient { None, Player, ProgramEditor, RunDialog };

class FileChoice {
public:
    // Stores the pattern the browser lists and who asked; the armed flag is
    // left alone (the player clears it itself before opening).
    void request(ChoiceClient client, std::string pattern);
    // The user confirmed a file in the browser.
    void confirm(std::string path);

    const std::string& pattern() const { return pattern_; }
    const std::string& chosenPath() const { return chosenPath_; }

    // 1 after a confirmation made for the player (or its stop); the
    // player's play action consumes it.
    int16_t armed = 0;

    // True once for each confirmation made for `client`: a caller that
    // becomes active again takes the path only when a file was really
    // confirmed for it, never an old or empty one.
    bool takeConfirmed(ChoiceClient client, std::string& path);

private:
    std::string pattern_ = kMediaPattern;
    std::string chosenPath_;
    ChoiceClient requester_ = ChoiceClient::None;
    ChoiceClient pendingFor_ = ChoiceClient::None;
};

// Folder + "\" + name, without a second backslash after a drive root.
std::string joinFolderFile(const std::string& folder, const std::string& name);

// True when `name` matches one of the ';'-separated wildcard patterns ('*'
// any run, '?' one character), letters compared without regard to case.
bool matchesPattern(const std::string& name, const std::string& patterns);

} // namespace tessel
