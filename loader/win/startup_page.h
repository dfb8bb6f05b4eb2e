// "Startup": the autostart entry and whether the tray icon is shown.
#pragma once
#include <string>

#include "loader/win/property_page_base.h"

namespace zrv::loader {

class CPropertyPage9 : public CPropertyPageBase {
public:
    CPropertyPage9();
    static constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr char kRunValue[] = "Zirvane";
    // The stored Run value, empty when it cannot be read.
    static std::string readRunValue();

protected:
    BOOL onInitDialog() override;
    void onCommand(int id, int code) override;
    void exchange(bool save) override;

private:
    void onRun();

    int run_ = 0;
};

} // namespace zrv::loader
