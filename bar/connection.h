// Which dial-up connection the connected indicator hangs up.
#pragma once

#include <string>

namespace tessel {

// The entry name of a connection compared with the stored connection name,
// leading and trailing blanks removed from both.
bool sameConnectionName(const std::string& entryName, const std::string& storedName);

// True when an IPv4 address (host byte order) counts as a network address:
// neither 0.0.0.0 nor loopback (127/8).
bool isNetworkAddress(unsigned long address);

} // namespace tessel
