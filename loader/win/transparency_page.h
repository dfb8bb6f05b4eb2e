// "Transparency": the applications of "Zirvane2.ini" and their visibility.
#pragma once
#include <string>
#include <vector>

#include "loader/win/property_page_base.h"

namespace zrv::loader {

class CMyPropertyPage8 : public CPropertyPageBase {
public:
    CMyPropertyPage8();
    // The names the list shows for the file as it is now; creates an empty
    // file when there is none.
    static std::vector<std::string> readApplications();

protected:
    BOOL onInitDialog() override;
    void onCommand(int id, int code) override;

private:
    void refill();
    std::string selectedName() const;
    void onAdd();
    void onDelete();
    void onModify();
};

} // namespace zrv::loader
