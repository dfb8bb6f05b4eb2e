#include "hooklib/use_key_cache.h"

#include "hooklib/ascii_name.h"

namespace zrv {

void UseKeyCache::renew(const FileStamp& stamp, unsigned long generation) {
    if (filled_ && stamp == stamp_ && generation == generation_)
        return;
    stamp_ = stamp;
    generation_ = generation;
    filled_ = true;
    count_ = 0;
}

const UseKeyCache::Entry* UseKeyCache::find(const char* key, int defaultValue) const {
    for (int i = 0; i < count_; ++i)
        if (entries_[i].defaultValue == defaultValue && sameAsciiName(entries_[i].key, key))
            return &entries_[i];
    return nullptr;
}

void UseKeyCache::keep(const char* key, int defaultValue, int value) {
    // Full, or a name too long to copy: the values still come right, only
    // read each time.
    int length = 0;
    while (key[length] != 0 && length <= kLongestKey)
        ++length;
    if (count_ >= kCapacity || length > kLongestKey)
        return;
    Entry& e = entries_[count_++];
    for (int i = 0; i <= length; ++i)
        e.key[i] = key[i];
    e.defaultValue = defaultValue;
    e.value = value;
}

} // namespace zrv
