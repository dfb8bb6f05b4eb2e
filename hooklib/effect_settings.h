// The hook library's per-process copy of the load-time effect settings and
// the rule that fills it from the two settings files. Portable: the Win32
// layer passes a profile reader backed by GetPrivateProfileIntA.
#pragma once

#include <cstdint>

namespace zrv {

struct EffectSettings {
    bool shadowsOn = false;
    bool constantShade = false;
    bool realShadows = false;
    std::int32_t shadowExtent = 8;
    std::int32_t shadowOffset = 8;
    std::int32_t shadowOpacity = 128;
    // Width by which each shadow window reaches under the window's own edge.
    static constexpr std::int32_t kShadowOverlap = 10;
    static constexpr std::int32_t kShadeStep = 2;
    std::int32_t menuShadowSize = 8;
    bool emulatedMenus = false;
    bool menusShadowed = false;
    bool customIconTextBackground = false;
    bool transparentIconTextBackground = false;
    bool customIconTextColour = false;
    bool semiDrag = false;
    bool ghostDrag = false;
    bool maxLimitLoaded = false;
    bool appTransparent = false;
    std::int32_t appOpacity = 220;
    // The program's section asks to be left alone: no effect of any kind.
    bool excluded = false;
};

// Reads one integer the way the platform's integer profile read does.
class ProfileReader {
public:
    virtual int readInt(const char* file, const char* section, const char* key,
                        int defaultValue) const = 0;

protected:
    ~ProfileReader() = default;
};

constexpr std::size_t kAppSectionSize = 256;

// The integer a profile value stands for: leading blanks, an optional sign
// and the leading decimal digits; an empty or non-numeric value is 0. (The
// platform's own integer read gives the default for an empty value, so the
// library reads the text and parses it here.)
int parseProfileInt(const char* text);

// The section of "Zirvane2.ini" for a process: the part of its executable's
// path after the last backslash, upper-cased with the C runtime's
// locale-aware rule. At most 255 characters of the path are considered.
void applicationSectionName(const char* modulePath, char (&out)[kAppSectionSize]);

// Steps 1 to 5 of a settings load, in their order. The caller clears its
// load-in-progress flag and resets the tracked windows afterwards.
void loadEffectSettings(EffectSettings& s, const ProfileReader& reader, const char* appSection,
                        bool haveUpdateLayeredWindow);

} // namespace zrv
