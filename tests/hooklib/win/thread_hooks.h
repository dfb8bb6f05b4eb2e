// Both hook procedures of the library's code linked into a test program,
// installed for the calling thread only for the life of the object.
#pragma once
#include "hooklib/win/zrv_exports.h"

namespace zrv::test {

struct ThreadHooks {
    ThreadHooks() = default;
    ~ThreadHooks() {
        UnhookWindowsHookEx(call);
        UnhookWindowsHookEx(ret);
    }
    ThreadHooks(const ThreadHooks&) = delete;
    ThreadHooks& operator=(const ThreadHooks&) = delete;
    HHOOK ret = SetWindowsHookExA(WH_CALLWNDPROCRET, PatchAPI, nullptr, GetCurrentThreadId());
    HHOOK call = SetWindowsHookExA(WH_CALLWNDPROC, PatchAPI2, nullptr, GetCurrentThreadId());
};

} // namespace zrv::test
