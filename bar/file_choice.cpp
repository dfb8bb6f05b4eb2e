#include "bar/file_choice.h"

#include <cctype>

namespace tessel {

void FileChoice::request(ChoiceClient client, std::string pattern) {
    requester_ = client;
    pattern_ = std::move(pattern);
}

void FileChoice::confirm(std::string path) {
    chosenPath_ = std::move(path);
    // Only the player plays what is confirmed: a program chosen for the
    // editor or the run dialog must never arm it.
    if (requester_ == ChoiceClient::Player)
        armed = 1;
    pendingFor_ = requester_;
}

bool FileChoice::takeConfirmed(ChoiceClient client, std::string& path) {
    if (client == ChoiceClient::None || pendingFor_ != client)
        return false;
    pendingFor_ = ChoiceClient::None;
    path = chosenPath_;
    return true;
}

std::string joinFolderFile(const std::string& folder, const std::string& name) {
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        return folder + name;
    return folder + "\\" + name;
}

namespace {

char fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Iterative wildcard match with one backtrack point: linear in practice and
// never recursive, whatever the pattern.
bool matchOne(const std::string& s, const std::string& p) {
    size_t si = 0, pi = 0, star = std::string::npos, mark = 0;
    while (si < s.size()) {
        if (pi < p.size() && (p[pi] == '?' || fold(p[pi]) == fold(s[si]))) {
            ++si, ++pi;
        } else if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            mark = si;
        } else if (star != std::string::npos) {
            pi = star + 1;
            si = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

std::string trimmed(const std::string& s) {
    size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

} // namespace

bool matchesPattern(const std::string& name, const std::string& patterns) {
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t end = patterns.find(';', start);
        if (end == std::string::npos)
            end = patterns.size();
        const std::string one = trimmed(patterns.substr(start, end - start));
        // "*.*" lists every file, also those without a dot, as it always has.
        if (one == "*.*" ? true : !one.empty() && matchOne(name, one))
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace tessel
