// The "use" keys of section "GLOBAL" are read when they are used, so that a
// change to the file acts at once. Hot paths (every WM_GETMINMAXINFO, every
// menu paint) would pay a whole profile read each time; this cache keeps the
// values read while the file stays as it was. Portable: the Win32 layer gives
// it the file's stamp, the time and the reader.
#pragma once

#include <cstdint>

namespace zrv {

// What says a file is unchanged: its last write time (100 ns units, as the
// platform counts) and size. A missing file has a stamp of its own.
struct FileStamp {
    bool exists = false;
    std::uint64_t lastWrite = 0;
    std::uint64_t size = 0;
    bool operator==(const FileStamp& o) const {
        return exists == o.exists && lastWrite == o.lastWrite && size == o.size;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

class UseKeyCache {
public:
    static constexpr int kCapacity = 32;
    // A write time is kept at the file system's granularity (up to 2 s on
    // FAT, a timer tick elsewhere): a second write within it leaves the stamp
    // as it was. Values read from a file written less than this long ago are
    // therefore not kept, and every read goes to the file until it has
    // settled.
    static constexpr std::uint64_t kSettleTime = 2ull * 10000000ull;

    // The value of `key` (matched without regard to case, as the platform
    // does) with `defaultValue` for a missing key: from the cache when the
    // file's stamp and the settings generation are those it was filled
    // under, else from `read(key, defaultValue)`. `now` is the current time
    // in the stamp's units.
    template <typename Read>
    int get(const char* key, int defaultValue, const FileStamp& stamp, std::uint64_t now,
            unsigned long generation, Read&& read) {
        renew(stamp, generation);
        const bool settled = !stamp.exists || (now >= stamp.lastWrite &&
                                               now - stamp.lastWrite >= kSettleTime);
        if (settled)
            if (const Entry* e = find(key, defaultValue))
                return e->value;
        const int value = read(key, defaultValue);
        if (settled)
            keep(key, defaultValue, value);
        return value;
    }

    int size() const { return count_; }

private:
    // Key names are copied: a caller's text need not outlive the call.
    static constexpr int kLongestKey = 31;
    struct Entry {
        char key[kLongestKey + 1];
        int defaultValue;
        int value;
    };
    void renew(const FileStamp& stamp, unsigned long generation);
    const Entry* find(const char* key, int defaultValue) const;
    void keep(const char* key, int defaultValue, int value);

    FileStamp stamp_;
    unsigned long generation_ = 0;
    bool filled_ = false;
    int count_ = 0;
    Entry entries_[kCapacity] = {};
};

} // namespace zrv
