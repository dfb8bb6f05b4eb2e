#include "hooklib/effect_settings.h"

#include "formats/effect_keys.h"

#include <cctype>
#include <cstring>

namespace zrv {

int parseProfileInt(const char* text) {
    if (!text)
        return 0;
    while (*text == ' ' || *text == '\t')
        ++text;
    bool negative = false;
    if (*text == '-' || *text == '+') {
        negative = *text == '-';
        ++text;
    }
    unsigned long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10u + static_cast<unsigned long>(*text - '0');
    const auto v = static_cast<unsigned int>(value);
    return static_cast<int>(negative ? 0u - v : v);
}

void applicationSectionName(const char* modulePath, char (&out)[kAppSectionSize]) {
    out[0] = '\0';
    if (!modulePath)
        return;
    std::size_t len = std::strlen(modulePath);
    if (len > kAppSectionSize - 1)
        len = kAppSectionSize - 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i < len; ++i)
        if (modulePath[i] == '\\')
            start = i + 1;
    std::size_t n = 0;
    for (std::size_t i = start; i < len; ++i)
        out[n++] = static_cast<char>(std::toupper(static_cast<unsigned char>(modulePath[i])));
    out[n] = '\0';
}

void loadEffectSettings(EffectSettings& s, const ProfileReader& reader, const char* appSection,
                        bool haveUpdateLayeredWindow) {
    using namespace keys;
    auto global = [&](const IntKey& k) {
        return reader.readInt(kMainFile, kGlobal, k.name, k.libraryDefault);
    };

    s.menuShadowSize = global(kShadowSize);
    s.shadowsOn = global(kShadows) == 1;
    const int bk = global(kCustomBkColour);
    s.customIconTextBackground = bk == 1;
    s.transparentIconTextBackground = bk == 2;
    s.customIconTextColour = global(kCustomForeColour) == 1;
    s.semiDrag = global(kSemiDrag) == 1;
    s.ghostDrag = global(kSemiDragGhost) == 1;
    s.maxLimitLoaded = global(kMaxLimitLoad) == 1;
    s.realShadows = global(kShadowsSemiTrans) == 1;
    s.shadowExtent = global(kRealShadowSize);
    s.shadowOffset = s.shadowExtent;
    s.shadowOpacity = global(kRealShadowAlpha);

    s.constantShade = global(kShadowsVar) != 2;
    s.emulatedMenus = global(kTransOn9X) == 1;

    s.appTransparent = false;
    const char* section = appSection ? appSection : "";
    if (reader.readInt(kAppFile, section, kTrans, kTransOffDefault) != 0) {
        s.appTransparent = true;
        s.appOpacity = reader.readInt(kAppFile, section, kTrans, kTransValueDefault);
    }

    s.excluded = reader.readInt(kAppFile, section, kNoEffects, 0) == 1;

    if (!haveUpdateLayeredWindow)
        s.realShadows = false;
}

} // namespace zrv
