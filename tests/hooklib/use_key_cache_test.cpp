// The cache of use keys: the file's stamp, the settings generation and a file
// written too recently to trust its stamp each send the read to the file.
#include "hooklib/use_key_cache.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

constexpr std::uint64_t kSecond = 10000000ull;

struct File {
    std::map<std::string, int> values;
    int reads = 0;
    int operator()(const char* key, int defaultValue) {
        ++reads;
        std::string upper = key;
        for (char& c : upper)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        auto it = values.find(upper);
        return it == values.end() ? defaultValue : it->second;
    }
};

zrv::FileStamp stamp(std::uint64_t written, std::uint64_t size = 100) {
    zrv::FileStamp s;
    s.exists = true;
    s.lastWrite = written;
    s.size = size;
    return s;
}

TEST(UseKeyCache, AnUnchangedSettledFileIsReadOncePerKey) {
    zrv::UseKeyCache cache;
    File file{{{"MAXLIMIT", 1}, {"MAXWIDTH", 1024}}};
    const auto s = stamp(5 * kSecond);
    const std::uint64_t now = 60 * kSecond;
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(cache.get("MAXLIMIT", 1, s, now, 7, file), 1);
        EXPECT_EQ(cache.get("MaxWidth", 800, s, now, 7, file), 1024);
        EXPECT_EQ(cache.get("MAXHEIGHT", 600, s, now, 7, file), 600);
    }
    EXPECT_EQ(file.reads, 3);
}

TEST(UseKeyCache, KeysAreMatchedWithoutCaseAndWithTheirDefault) {
    zrv::UseKeyCache cache;
    File file;
    const auto s = stamp(kSecond);
    EXPECT_EQ(cache.get("Semimenusval", 220, s, 60 * kSecond, 1, file), 220);
    EXPECT_EQ(cache.get("SEMIMENUSVAL", 220, s, 60 * kSecond, 1, file), 220);
    EXPECT_EQ(file.reads, 1);
    // The same missing key asked with another default is another question.
    EXPECT_EQ(cache.get("semimenusval", 200, s, 60 * kSecond, 1, file), 200);
    EXPECT_EQ(file.reads, 2);
}

TEST(UseKeyCache, AChangedStampOrGenerationReadsAfresh) {
    struct Case {
        const char* what;
        zrv::FileStamp second;
        unsigned long generation;
    };
    const Case cases[] = {
        {"written again", stamp(9 * kSecond), 1},
        {"same time, other size", stamp(5 * kSecond, 101), 1},
        {"deleted", zrv::FileStamp{}, 1},
        {"a reload was asked for", stamp(5 * kSecond), 2},
    };
    for (const Case& c : cases) {
        zrv::UseKeyCache cache;
        File file{{{"SEMIDRAGVAL", 150}}};
        EXPECT_EQ(cache.get("SEMIDRAGVAL", 200, stamp(5 * kSecond), 60 * kSecond, 1, file), 150)
            << c.what;
        file.values["SEMIDRAGVAL"] = 90;
        EXPECT_EQ(cache.get("SEMIDRAGVAL", 200, c.second, 60 * kSecond, c.generation, file), 90)
            << c.what;
        EXPECT_EQ(file.reads, 2) << c.what;
    }
}

// A second write within the file system's time granularity keeps the stamp:
// nothing read from a file that recent is kept.
TEST(UseKeyCache, AFreshlyWrittenFileIsReadEveryTimeUntilItSettles) {
    zrv::UseKeyCache cache;
    File file{{{"SEMIMENUS", 1}}};
    const auto s = stamp(10 * kSecond);
    EXPECT_EQ(cache.get("SEMIMENUS", 1, s, 10 * kSecond + 1, 1, file), 1);
    file.values["SEMIMENUS"] = 0; // same stamp, same size
    EXPECT_EQ(cache.get("SEMIMENUS", 1, s, 10 * kSecond + 2, 1, file), 0);
    EXPECT_EQ(cache.size(), 0);
    // A write time ahead of the clock is not trusted either.
    EXPECT_EQ(cache.get("SEMIMENUS", 1, s, 9 * kSecond, 1, file), 0);
    EXPECT_EQ(file.reads, 3);
    const std::uint64_t settled = 10 * kSecond + zrv::UseKeyCache::kSettleTime;
    EXPECT_EQ(cache.get("SEMIMENUS", 1, s, settled, 1, file), 0);
    EXPECT_EQ(cache.get("SEMIMENUS", 1, s, settled + 1, 1, file), 0);
    EXPECT_EQ(file.reads, 4);
}

TEST(UseKeyCache, AFullCacheOrALongNameStillReadsRight) {
    zrv::UseKeyCache cache;
    File file;
    const auto s = stamp(kSecond);
    for (int i = 0; i < zrv::UseKeyCache::kCapacity + 5; ++i) {
        const std::string key = "KEY" + std::to_string(i);
        file.values[key] = i;
        EXPECT_EQ(cache.get(key.c_str(), -1, s, 60 * kSecond, 1, file), i);
    }
    EXPECT_EQ(cache.size(), zrv::UseKeyCache::kCapacity);
    // A key past the capacity is read each time, and its text need not live on.
    const int before = file.reads;
    EXPECT_EQ(cache.get("KEY36", -1, s, 60 * kSecond, 1, file), 36);
    EXPECT_EQ(cache.get("KEY0", -1, s, 60 * kSecond, 1, file), 0);
    EXPECT_EQ(file.reads, before + 1);
    const std::string longName(40, 'X');
    file.values[longName] = 3;
    EXPECT_EQ(cache.get(longName.c_str(), 0, s, 60 * kSecond, 1, file), 3);
    EXPECT_EQ(cache.get(longName.c_str(), 0, s, 60 * kSecond, 1, file), 3);
    EXPECT_EQ(file.reads, before + 3);
}

} // namespace
