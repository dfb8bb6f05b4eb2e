// zrvload32.exe <loader process id>: started by the 64-bit loader only.
#include <windows.h>

#include "common/win/scoped.h"
#include "companion/win/companion_app.h"
#include "binding/companion_protocol.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    unsigned long loaderId = 0;
    if (!zrv::companion::parseLoaderId(commandLine, loaderId))
        return 1;
    // Without the loader to follow, hooks installed now could outlive it.
    zt::ScopedKernelHandle loader(OpenProcess(SYNCHRONIZE, FALSE, loaderId));
    if (!loader)
        return 1;
    return zrv::companion::runCompanion(loader.get());
}
