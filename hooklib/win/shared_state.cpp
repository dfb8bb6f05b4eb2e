#include "hooklib/win/shared_state.h"

namespace zrv {

// Must be initialised: an uninitialised object would go to .bss and not be
// shared between processes.
SharedState g_shared __attribute__((section(".shared"), shared)) = {nullptr, nullptr, nullptr, 0};

} // namespace zrv
