// The connected indicator's two questions to the platform.
#pragma once

#include <string>

namespace tessel::win {

// True while the machine has a network (non-loopback) address.
bool hasNetworkAddress();

// Hangs up every dial-up connection whose entry name is `name` (blanks
// around either ignored). The dial-up library is looked up at run time; a
// system without it hangs up nothing.
void hangUpConnection(const std::string& name);

} // namespace tessel::win
