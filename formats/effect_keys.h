// The two effect settings files, "Zirvane.ini" and "Zirvane2.ini": file,
// section and key names with the defaults of both their reader (the hook
// library) and their writer (the configuration utility). Names are matched by
// the platform without regard to case, so one spelling each is enough.
#pragma once

#include <cstddef>

namespace zrv::keys {

inline constexpr char kMainFile[] = "Zirvane.ini";
inline constexpr char kAppFile[] = "Zirvane2.ini";
inline constexpr char kGlobal[] = "GLOBAL";
inline constexpr char kInstalled[] = "INSTALLED";
inline constexpr char kDir[] = "DIR";
inline constexpr char kTrans[] = "Trans";
// "Zirvane2.ini", an application's section: 1 keeps the effects library out
// of that program entirely (games, programs that compose their own windows or
// refuse foreign code). Any other value, or none, leaves it in.
inline constexpr char kNoEffects[] = "NoEffects";

// A numeric key of section "GLOBAL": the value the library uses when the key
// is absent, and the value the configuration utility shows when it is absent.
struct IntKey {
    const char* name;
    int libraryDefault;
    int utilityDefault;
};

inline constexpr IntKey kShadows{"Shadows", 0, 0};
inline constexpr IntKey kShadowsVar{"ShadowsVar", 2, 2};
inline constexpr IntKey kShadowsSemiTrans{"shadowsSemiTrans", 1, 1};
inline constexpr IntKey kRealShadowSize{"RealShadowSize", 8, 8};
inline constexpr IntKey kRealShadowAlpha{"RealShadowAlpha", 128, 128};
inline constexpr IntKey kShadowSize{"ShadowSize", 5, 5};
inline constexpr IntKey kSemiMenus{"SemiMenus", 1, 1};
inline constexpr IntKey kSemiMenusVal{"Semimenusval", 220, 200};
inline constexpr IntKey kSemiMenusShadow{"SemiMenusShadow", 0, 0};
inline constexpr IntKey kTransOn9X{"TransOn9X", 0, 0};
inline constexpr IntKey kSemiTrans{"SEMITRANS", 0, 0};
inline constexpr IntKey kFadeRate{"FADERATE", 50, 50};
inline constexpr IntKey kSmallOnly{"SMALLONLY", 0, 0};
inline constexpr IntKey kNonSize{"NONSIZE", 0, 0};
inline constexpr IntKey kSlide{"SLIDE", 1, 1};
inline constexpr IntKey kSlideScreen{"SLIDESCREEN", 0, 0};
inline constexpr IntKey kSlideTool{"SLIDETOOL", 1, 1};
inline constexpr IntKey kSlideFrom{"SLIDEFROM", 0, 0};
inline constexpr IntKey kSlideRate{"SLIDERATE", 50, 50};
inline constexpr IntKey kSemiDrag{"SEMIDRAG", 1, 1};
inline constexpr IntKey kSemiDragVal{"SEMIDRAGVAL", 200, 200};
inline constexpr IntKey kSemiDragGhost{"SEMIDRAGGHOST", 0, 0};
// Read at use with default 1 where SetLayeredWindowAttributes exists, at load
// with default 0 elsewhere; the utility shows it off.
inline constexpr IntKey kMaxLimitUse{"MAXLIMIT", 1, 0};
inline constexpr IntKey kMaxLimitLoad{"MAXLIMIT", 0, 0};
inline constexpr IntKey kMaxWidth{"MAXWIDTH", 800, 800};
inline constexpr IntKey kMaxHeight{"MAXHEIGHT", 600, 600};
inline constexpr IntKey kMaxLeft{"MAXLEFT", 1, 1};
inline constexpr IntKey kCustomBkColour{"CUSTOMBKCOLOUR", 0, 0};
inline constexpr IntKey kBkColour{"BKCOLOUR", 0, 0};
inline constexpr IntKey kCustomForeColour{"CUSTOMFORECOLOUR", 0, 0};
inline constexpr IntKey kTxtColour{"TXTCOLOUR", 0, 0};
inline constexpr IntKey kShowIcon{"SHOWICON", 1, 1};

// "Trans" of "Zirvane2.ini": the library reads it with default 0 to decide on
// or off and again with default -1 for the value; the utility shows 220.
inline constexpr int kTransOffDefault = 0;
inline constexpr int kTransValueDefault = -1;
inline constexpr int kTransUtilityDefault = 220;

// Every numeric key of "GLOBAL", for tables and tests.
extern const IntKey* const kAllIntKeys[];
extern const std::size_t kAllIntKeyCount;

} // namespace zrv::keys
