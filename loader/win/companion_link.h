// The 64-bit loader's hold on its 32-bit companion (see
// loader/companion_protocol.h): started when the loader binds its library,
// ended when it unbinds.
#pragma once
#include <windows.h>

#include "common/win/scoped.h"

namespace zrv::loader {

class CompanionLink {
public:
    CompanionLink() = default;
    ~CompanionLink() { stop(); }
    CompanionLink(const CompanionLink&) = delete;
    CompanionLink& operator=(const CompanionLink&) = delete;

    // Starts the companion when this loader is a 64-bit one, the companion
    // and its library are beside it, and the one it started last has ended.
    // Returns whether a companion is running afterwards.
    bool start();
    // Asks the companion to unhook and end, waits for it, and ends it
    // outright when it does not answer in time.
    void stop();
    bool running() const;

private:
    zt::ScopedKernelHandle process_;
};

// Tells every running companion that the settings changed, as the sheet tells
// the 64-bit library. Any copy of the loader may call it.
void notifyCompanions();

} // namespace zrv::loader
