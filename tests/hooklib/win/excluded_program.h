// This test program left alone by the library the way a user asks for it:
// the program's own section in the per-application settings file says so.
#pragma once
#include <windows.h>

#include "formats/effect_keys.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"

namespace zrv::test {

// Excludes the program for the life of the object. The library keeps an
// exclusion for the rest of the process, so the object takes it back for the
// tests that run after it. Settings loaded meanwhile keep it.
struct ExcludedProgram {
    ExcludedProgram() {
        write("1");
        LoadEffectSettings();
    }
    ~ExcludedProgram() {
        write(nullptr);
        state().excluded.store(false);
        LoadEffectSettings();
    }
    ExcludedProgram(const ExcludedProgram&) = delete;
    ExcludedProgram& operator=(const ExcludedProgram&) = delete;

private:
    static void write(const char* value) {
        WritePrivateProfileStringA(state().appSection, zrv::keys::kNoEffects, value, zrv::keys::kAppFile);
    }
};

} // namespace zrv::test
