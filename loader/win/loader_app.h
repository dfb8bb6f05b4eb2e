// The loader program: its tray icon and its one window, run modally.
#pragma once
#include "loader/win/tray_icon.h"

namespace zrv::loader {

class CLoaderApp {
public:
    CLoaderApp() = default;
    // Runs the loader window until it ends; returns the process exit code.
    int run();

private:
    CTrayIcon tray_; // before the window, gone at process exit
};

} // namespace zrv::loader
