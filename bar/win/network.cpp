#include "bar/win/network.h"

#include "bar/connection.h"
#include "common/win/platform_function.h"
#include "common/win/scoped.h"

#include <windows.h>
#include <iphlpapi.h>

#include <vector>

namespace tessel::win {

using namespace zt;

namespace {
unsigned long fromNetworkOrder(DWORD a) {
    const auto* b = reinterpret_cast<const unsigned char*>(&a);
    return (unsigned long)b[0] << 24 | (unsigned long)b[1] << 16 | (unsigned long)b[2] << 8 | b[3];
}
} // namespace

bool hasNetworkAddress() {
    ULONG size = 0;
    if (GetIpAddrTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER || size == 0)
        return false;
    std::vector<unsigned char> buf(size);
    auto* table = reinterpret_cast<MIB_IPADDRTABLE*>(buf.data());
    if (GetIpAddrTable(table, &size, FALSE) != NO_ERROR)
        return false;
    for (DWORD i = 0; i < table->dwNumEntries; ++i)
        if (isNetworkAddress(fromNetworkOrder(table->table[i].dwAddr)))
            return true;
    return false;
}

namespace {
// The dial-up connection record in its first, smallest form (412 bytes on
// 32-bit systems), which every version of the dial-up library accepts.
struct RasConnRecord {
    DWORD dwSize;
    HANDLE hrasconn;
    char szEntryName[257];
    char szDeviceType[17];
    char szDeviceName[129];
};
using RasEnumConnectionsFn = DWORD(WINAPI*)(RasConnRecord*, DWORD*, DWORD*);
using RasHangUpFn = DWORD(WINAPI*)(HANDLE);
constexpr DWORD kRecords = 256;
} // namespace

void hangUpConnection(const std::string& name) {
    ScopedModule ras(LoadLibraryA("rasapi32.dll"));
    if (!ras)
        return;
    auto enumerate = zt::platformFunction<RasEnumConnectionsFn>(ras.get(), "RasEnumConnectionsA");
    auto hangUp = zt::platformFunction<RasHangUpFn>(ras.get(), "RasHangUpA");
    if (!enumerate || !hangUp)
        return;
    std::vector<RasConnRecord> records(kRecords);
    records[0].dwSize = sizeof(RasConnRecord);
    DWORD bytes = sizeof(RasConnRecord) * kRecords, count = 0;
    if (enumerate(records.data(), &bytes, &count) != 0)
        return;
    for (DWORD c = 0; c < count && c < kRecords; ++c) {
        records[c].szEntryName[sizeof records[c].szEntryName - 1] = '\0';
        if (sameConnectionName(records[c].szEntryName, name))
            hangUp(records[c].hrasconn);
    }
}

} // namespace tessel::win
