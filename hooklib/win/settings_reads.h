// The settings as the platform's profile functions read them: the full load
// of the effect settings, and the "use" keys read when an effect needs them.
#pragma once
#include "formats/effect_keys.h"

namespace zrv {

// Finds "Zirvane.ini" for the use-key cache; once, at attach.
void findMainFile() noexcept;

// A full settings load: reads both files, opens the load-in-progress gate,
// then resets every tracked window so its effects are built again.
void LoadEffectSettings() noexcept;

// A "use" key of section "GLOBAL", as the file has it now: kept from an
// earlier read while the file's write time and size and the settings
// generation stay as they were, else read afresh.
int readUseKey(const char* key, int defaultValue) noexcept;
// Several at once, for one look at the file: values[i] for *keysToRead[i], with
// the library's defaults.
void readUseKeys(const keys::IntKey* const keysToRead[], int values[], int count) noexcept;

} // namespace zrv
