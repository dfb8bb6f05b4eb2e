// Reads and writes of the two settings files, a key at a time through the
// profile functions (which find the bare file names in the Windows folder).
#pragma once
#include <windows.h>

#include <string>

#include "formats/effect_keys.h"

namespace zrv::loader {

int readGlobalInt(const char* key, int def);
inline int readGlobalInt(const keys::IntKey& key) { return readGlobalInt(key.name, key.utilityDefault); }
std::string readString(const char* section, const char* key, const char* def,
                       const char* file = keys::kMainFile);
void writeGlobal(const char* key, const std::string& value);
void writeGlobalFlag(const char* key, bool on);
void writeGlobalInt(const char* key, long value);

int readAppTrans(const std::string& app);
void writeAppTrans(const std::string& app, int value);
// The application's "leave it alone" key: written as "1" when on, removed
// when off, so that a file without exclusions stays as it was.
bool readAppNoEffects(const std::string& app);
void writeAppNoEffects(const std::string& app, bool on);
void deleteAppSection(const std::string& app);
// Full path of "Zirvane2.ini", for reading it line by line.
std::string appFilePath();

} // namespace zrv::loader
