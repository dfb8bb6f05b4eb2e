// "Maximize to set size": the size and place of maximized windows.
#pragma once
#include <string>

#include "loader/win/property_page_base.h"

namespace zrv::loader {

class CMyPropertyPage5 : public CPropertyPageBase {
public:
    CMyPropertyPage5();

protected:
    BOOL onInitDialog() override;
    void onCommand(int id, int code) override;
    void onBoundChanged(int id, bool on) override;

private:
    bool filling_ = false; // the text changes of the page's own fill are not edits
};

} // namespace zrv::loader
