#include "loader/loader_rules.h"

namespace zrv::loader {

bool applicationOfLine(std::string_view line, std::string& name) {
    if (line.empty() || line.front() != '[')
        return false;
    line.remove_prefix(1);
    const auto close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    name.assign(line.substr(0, close));
    return name != "GLOBAL";
}

std::vector<std::string> listedApplications(std::string_view text) {
    std::vector<std::string> names;
    std::string name;
    while (!text.empty()) {
        auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        // Pieces of a long line each count as a line of their own.
        do {
            const std::string_view piece = line.substr(0, kListLinePiece);
            line.remove_prefix(piece.size());
            if (applicationOfLine(piece, name))
                names.push_back(name);
        } while (!line.empty());
    }
    return names;
}

AppNameCheck checkApplicationName(std::string_view name) {
    if (name.find_first_of("]\r\n") != std::string_view::npos)
        return AppNameCheck::Unsafe;
    if (name.size() <= 4)
        return AppNameCheck::TooShort;
    return AppNameCheck::Accept;
}

std::string autostartCommand(std::string_view installDir) {
    std::string cmd(installDir);
    cmd += "\\zrvload.exe";
    return cmd;
}

bool autostartShownOn(std::string_view runValue) { return runValue.size() > 8; }

std::size_t registryStringBytes(std::string_view text) { return text.size() + 1; }

bool installDirNeedsWriting(std::string_view stored) { return stored.size() < 2; }

std::string pixelsLabel(int position) { return std::to_string(position) + " pixels"; }

} // namespace zrv::loader
