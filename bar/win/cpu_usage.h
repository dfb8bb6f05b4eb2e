// The processor load for the CPU meter: started once, then read in percent
// (0 when it cannot be read).
#pragma once

#include <memory>

namespace tessel::win {

class CPUUsage {
public:
    virtual ~CPUUsage() = default;
    virtual void InitCPUUsage() = 0;
    virtual int GetCPUUsage() = 0;

    // The Windows 9x kernel statistic where the system has it, otherwise the
    // processor times of the system.
    static std::unique_ptr<CPUUsage> create();
};

} // namespace tessel::win
