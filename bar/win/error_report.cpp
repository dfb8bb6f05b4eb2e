#include "bar/win/error_report.h"

namespace tessel::win {

void showErrorReport(HWND owner, const RunError& e) {
    MessageBoxA(owner, e.report().c_str(), "", MB_OK | MB_ICONWARNING);
}

void showErrorReportOnLines(HWND owner, const RunError& e) {
    MessageBoxA(owner, e.reportOnLines().c_str(), "", MB_OK | MB_ICONWARNING);
}

void failAndEnd(HWND owner, const RunError& e) {
    showErrorReport(owner, e);
    ExitProcess(static_cast<UINT>(e.code()));
}

} // namespace tessel::win
