// "Window Dragging": translucent or ghost window dragging.
#pragma once
#include "loader/win/property_page_base.h"

namespace zrv::loader {

class CMyPropertyPage4 : public CPropertyPageBase {
public:
    CMyPropertyPage4();

protected:
    BOOL onInitDialog() override;
    void onCommand(int id, int code) override;
    void onNotify(const NMHDR& hdr) override;
    void exchange(bool save) override;

private:
    int on_ = 0, extra_ = 0;
};

} // namespace zrv::loader
