#include "loader/win/settings_file.h"

namespace zrv::loader {

int readGlobalInt(const char* key, int def) {
    return static_cast<int>(GetPrivateProfileIntA(keys::kGlobal, key, def, keys::kMainFile));
}

std::string readString(const char* section, const char* key, const char* def, const char* file) {
    char buf[256] = {};
    GetPrivateProfileStringA(section, key, def, buf, 255, file);
    return buf;
}

void writeGlobal(const char* key, const std::string& value) {
    WritePrivateProfileStringA(keys::kGlobal, key, value.c_str(), keys::kMainFile);
}

void writeGlobalFlag(const char* key, bool on) { writeGlobal(key, on ? "1" : "0"); }

void writeGlobalInt(const char* key, long value) { writeGlobal(key, std::to_string(value)); }

int readAppTrans(const std::string& app) {
    return static_cast<int>(
        GetPrivateProfileIntA(app.c_str(), keys::kTrans, keys::kTransUtilityDefault, keys::kAppFile));
}

void writeAppTrans(const std::string& app, int value) {
    WritePrivateProfileStringA(app.c_str(), keys::kTrans, std::to_string(value).c_str(),
                               keys::kAppFile);
}

bool readAppNoEffects(const std::string& app) {
    return GetPrivateProfileIntA(app.c_str(), keys::kNoEffects, 0, keys::kAppFile) == 1;
}

void writeAppNoEffects(const std::string& app, bool on) {
    WritePrivateProfileStringA(app.c_str(), keys::kNoEffects, on ? "1" : nullptr, keys::kAppFile);
}

void deleteAppSection(const std::string& app) {
    WritePrivateProfileStringA(app.c_str(), nullptr, nullptr, keys::kAppFile);
}

std::string appFilePath() {
    char dir[256] = {};
    GetWindowsDirectoryA(dir, 255);
    return std::string(dir) + "\\" + keys::kAppFile;
}

} // namespace zrv::loader
