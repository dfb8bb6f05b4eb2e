#include "hooklib/use_key_cache.h"

namespace zrv {
namespace {

bool sameKey(const char* a, const char* b) {
    for (;; ++a, ++b) {
        char x = *a, y = *b;
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
        if (x == 0)
            return true;
    }
}

} // namespace

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
        if (entries_[i].defaultValue == defaultValue && sameKey(entries_[i].key, key))
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
