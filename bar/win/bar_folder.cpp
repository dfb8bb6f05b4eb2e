#include "bar/win/bar_folder.h"

#include "common/win/ansi_names.h"
#include "common/win/program_folder.h"

namespace tessel::win {

bool reachableProgramFolder(std::string& folder, std::wstring& wide) {
    return zt::reachableProgramFolder(folder, wide);
}

std::string programFolder() {
    std::string folder;
    std::wstring wide;
    if (reachableProgramFolder(folder, wide))
        return folder;
    return zt::programFolder();
}

std::string barSetting(const char* key) {
    std::string file = programFolder() + "\\" + kSettingsFile;
    char value[1024] = {};
    GetPrivateProfileStringA(kSettingsSection, key, "", value, sizeof value, file.c_str());
    return value;
}

} // namespace tessel::win
