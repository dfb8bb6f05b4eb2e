#include <windows.h>

#include "loader/win/loader_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    zrv::loader::CLoaderApp app;
    return app.run();
}
