// "Menu Effects" (translucent and shadowed pop-up menus) and "Window
// Dragging" (translucent or ghost window dragging): each an effect switched
// on or off, a second choice beside it and the effect's visibility on a
// slider, all bound to their keys.
#pragma once
#include "loader/win/property_page_base.h"

namespace zrv::loader {

class CMyPropertyPage3 : public CPropertyPageBase {
public:
    CMyPropertyPage3();
};

class CMyPropertyPage4 : public CPropertyPageBase {
public:
    CMyPropertyPage4();
};

} // namespace zrv::loader
