#include "bar/media_header.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace tessel {
namespace {

using Bytes = std::vector<uint8_t>;

struct FrameFields {
    int versionBits; // 3 MPEG 1, 2 MPEG 2, 0 MPEG 2.5
    int bitrateIndex;
    int rateIndex;
    bool padding;
    bool mono;
};

Bytes header(const FrameFields& s, int layerBits = 1) {
    return {0xFF, uint8_t(0xE0 | s.versionBits << 3 | layerBits << 1 | 1),
            uint8_t(s.bitrateIndex << 4 | s.rateIndex << 2 | (s.padding ? 2 : 0)),
            uint8_t(s.mono ? 0xC0 : 0x00)};
}

// A whole frame: its header and silence-like filler.
Bytes frame(const FrameFields& s) {
    Mp3FrameHeader h;
    Bytes b = header(s);
    EXPECT_TRUE(parseMp3FrameHeader(b.data(), b.size(), h));
    b.resize(size_t(h.frameBytes), 0x55);
    return b;
}

const FrameFields kCd = {3, 9, 0, false, false}; // MPEG 1, 128 kbit/s, 44100 Hz, stereo

Bytes frames(const FrameFields& s, int n) {
    Bytes out;
    for (int i = 0; i < n; ++i) {
        Bytes f = frame(s);
        out.insert(out.end(), f.begin(), f.end());
    }
    return out;
}

void put32be(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24), p[1] = uint8_t(v >> 16), p[2] = uint8_t(v >> 8), p[3] = uint8_t(v);
}

// A first frame carrying a Xing/Info header (flags: frames and bytes).
Bytes xingFrame(const FrameFields& s, const char* tag, uint32_t count, uint32_t bytes) {
    Bytes f = frame(s);
    Mp3FrameHeader h;
    parseMp3FrameHeader(f.data(), f.size(), h);
    uint8_t* x = f.data() + 4 + h.sideInfoBytes;
    std::memcpy(x, tag, 4);
    put32be(x + 4, 3);
    put32be(x + 8, count);
    put32be(x + 12, bytes);
    return f;
}

Bytes id3(uint32_t bodySize, bool footer) {
    Bytes t = {'I', 'D', '3', 4, 0, uint8_t(footer ? 0x10 : 0),
               uint8_t(bodySize >> 21 & 0x7F), uint8_t(bodySize >> 14 & 0x7F),
               uint8_t(bodySize >> 7 & 0x7F), uint8_t(bodySize & 0x7F)};
    t.resize(10 + bodySize + (footer ? 10 : 0), 0);
    return t;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(Mp3FrameHeaderTest, ReadsLayerThreeOfEveryVersion) {
    struct Case {
        FrameFields fields;
        MpegVersion version;
        int kbps, rate, channels, bytes, samples;
    } cases[] = {
        {{3, 9, 0, false, false}, MpegVersion::V1, 128, 44100, 2, 417, 1152},
        {{3, 9, 0, true, false}, MpegVersion::V1, 128, 44100, 2, 418, 1152},
        {{3, 14, 1, false, false}, MpegVersion::V1, 320, 48000, 2, 960, 1152},
        {{3, 1, 2, false, true}, MpegVersion::V1, 32, 32000, 1, 144, 1152},
        {{2, 8, 0, false, true}, MpegVersion::V2, 64, 22050, 1, 208, 576},
        {{2, 14, 2, true, false}, MpegVersion::V2, 160, 16000, 2, 721, 576},
        {{0, 1, 2, false, true}, MpegVersion::V25, 8, 8000, 1, 72, 576},
        {{0, 8, 0, false, false}, MpegVersion::V25, 64, 11025, 2, 417, 576},
    };
    for (const auto& c : cases) {
        Bytes b = header(c.fields);
        Mp3FrameHeader h;
        ASSERT_TRUE(parseMp3FrameHeader(b.data(), b.size(), h)) << c.kbps;
        EXPECT_EQ(h.version, c.version);
        EXPECT_EQ(h.bitrateKbps, c.kbps);
        EXPECT_EQ(h.sampleRate, c.rate);
        EXPECT_EQ(h.channels, c.channels);
        EXPECT_EQ(h.frameBytes, c.bytes) << c.kbps << " kbit/s at " << c.rate;
        EXPECT_EQ(h.samplesPerFrame, c.samples);
    }
}

TEST(Mp3FrameHeaderTest, RefusesWhatIsNotALayerThreeFrame) {
    struct Case {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"layer II", header(kCd, 2)},
        {"layer I", header(kCd, 3)},
        {"reserved version", header({1, 9, 0, false, false})},
        {"free bit rate", header({3, 0, 0, false, false})},
        {"bad bit rate", header({3, 15, 0, false, false})},
        {"reserved sample rate", header({3, 9, 3, false, false})},
        {"no sync", {0xFF, 0x1B, 0x90, 0x00}},
        {"three bytes", {0xFF, 0xFB, 0x90}},
    };
    for (const auto& c : cases) {
        Mp3FrameHeader h;
        EXPECT_FALSE(parseMp3FrameHeader(c.bytes.data(), c.bytes.size(), h)) << c.what;
    }
}

TEST(Mp3InfoTest, FindsFramesAndLength) {
    const double cdFrame = 1152.0 / 44100;
    struct Case {
        const char* what;
        Bytes file;
        size_t firstFrame;
        size_t frames;
        double seconds;
    } cases[] = {
        {"plain", frames(kCd, 20), 0, 20, 20 * cdFrame},
        {"ID3v2 tag", id3(300, false) + frames(kCd, 20), 310, 20, 20 * cdFrame},
        {"ID3v2 tag with footer", id3(300, true) + frames(kCd, 5), 320, 5, 5 * cdFrame},
        {"two tags", id3(10, false) + id3(20, false) + frames(kCd, 5), 50, 5, 5 * cdFrame},
        {"junk with a false sync first", Bytes{1, 2, 0xFF, 0xFB, 0x90, 0, 7} + frames(kCd, 5), 7, 5,
         5 * cdFrame},
        {"ID3v1 tag at the end", frames(kCd, 5) + Bytes(128, 'T'), 0, 5, 5 * cdFrame},
        {"last frame cut", frames(kCd, 5) + Bytes{0xFF, 0xFB, 0x90, 0, 1, 2}, 0, 5, 5 * cdFrame},
        {"Info header", xingFrame(kCd, "Info", 10, 0) + frames(kCd, 10), 417, 10, 10 * cdFrame},
        {"Xing header counts more than indexed", xingFrame(kCd, "Xing", 12, 0) + frames(kCd, 10),
         417, 10, 12 * cdFrame},
        {"MPEG 2.5 mono", frames({0, 1, 2, false, true}, 100), 0, 100, 100 * 576.0 / 8000},
        // Cut short of what its header counts: what is there plays, for as
        // long as it lasts.
        {"Info header of a file cut to a third", xingFrame(kCd, "Info", 30, 0) + frames(kCd, 10),
         417, 10, 10 * cdFrame},
    };
    for (const auto& c : cases) {
        Mp3Info info;
        std::string why;
        ASSERT_TRUE(readMp3Info(c.file.data(), c.file.size(), info, &why)) << c.what << ": " << why;
        EXPECT_EQ(info.firstFrame, c.firstFrame) << c.what;
        EXPECT_EQ(info.frames.size(), c.frames) << c.what;
        EXPECT_NEAR(info.durationSeconds, c.seconds, 1e-9) << c.what;
    }
}

TEST(Mp3InfoTest, ReadsVbriHeader) {
    Bytes first = frame(kCd);
    std::memcpy(first.data() + 36, "VBRI", 4);
    put32be(first.data() + 36 + 14, 4);
    Bytes file = first + frames(kCd, 4);
    Mp3Info info;
    ASSERT_TRUE(readMp3Info(file.data(), file.size(), info));
    EXPECT_TRUE(info.vbrHeader);
    EXPECT_EQ(info.headerFrames, 4u);
    EXPECT_EQ(info.frames.size(), 4u);
}

TEST(Mp3InfoTest, RefusesFilesWithoutSound) {
    std::mt19937 rng(7);
    Bytes noise(5000);
    for (auto& b : noise)
        b = uint8_t(rng());
    struct Case {
        const char* what;
        Bytes file;
        const char* why;
    } cases[] = {
        {"empty", {}, "no MPEG audio frames"},
        {"text", Bytes(200, 'a'), "no MPEG audio frames"},
        {"noise", noise, "no MPEG audio frames"},
        {"one lone header", header(kCd), "no MPEG audio frames"},
        {"tag larger than the file", id3(100000, false), "no MPEG audio frames"},
        {"only the Info frame", xingFrame(kCd, "Info", 10, 0), "no MPEG audio frames"},
    };
    for (const auto& c : cases) {
        Mp3Info info;
        std::string why;
        EXPECT_FALSE(readMp3Info(c.file.data(), c.file.size(), info, &why)) << c.what;
        EXPECT_EQ(why, c.why) << c.what;
    }
}

// Every byte of a valid file changed in turn, and random cuts: the readers
// must neither crash nor read past the buffer (the buffers are exact copies).
TEST(MediaHeadersTest, SurviveDamagedFiles) {
    const Bytes mp3 = id3(20, false) + xingFrame(kCd, "Xing", 6, 0) + frames(kCd, 6);
    std::mt19937 rng(11);
    for (int round = 0; round < 3000; ++round) {
        Bytes b = mp3;
        for (int k = 0; k < 4; ++k)
            b[rng() % b.size()] = uint8_t(rng());
        b.resize(rng() % (b.size() + 1));
        Bytes exact(b.begin(), b.end());
        checkMediaHeaders(exact.data(), exact.size());
    }
    SUCCEED();
}

Bytes wav(int channels, int bits, int rate, uint32_t dataBytes, size_t actualData,
          int tag = 1, bool extraChunk = false) {
    auto le = [](Bytes& b, uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            b.push_back(uint8_t(v >> (8 * i)));
    };
    Bytes b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    if (extraChunk) { // an odd-sized chunk, padded to even
        b.insert(b.end(), {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0});
    }
    b.insert(b.end(), {'f', 'm', 't', ' ', 16, 0, 0, 0});
    const int align = channels * bits / 8;
    le(b, uint32_t(tag), 2);
    le(b, uint32_t(channels), 2);
    le(b, uint32_t(rate), 4);
    le(b, uint32_t(rate * align), 4);
    le(b, uint32_t(align), 2);
    le(b, uint32_t(bits), 2);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    le(b, dataBytes, 4);
    b.resize(b.size() + actualData, 0);
    return b;
}

TEST(WavInfoTest, ReadsUncompressedSound) {
    struct Case {
        const char* what;
        Bytes file;
        int channels, bits, rate;
        size_t dataOffset, dataBytes;
        double seconds;
    } cases[] = {
        {"16-bit stereo", wav(2, 16, 44100, 176400, 176400), 2, 16, 44100, 44, 176400, 1.0},
        {"8-bit mono", wav(1, 8, 8000, 4000, 4000), 1, 8, 8000, 44, 4000, 0.5},
        {"odd chunk before the format", wav(1, 16, 8000, 16000, 16000, 1, true), 1, 16, 8000, 56,
         16000, 1.0},
        {"data longer than the file", wav(2, 16, 44100, 1000000, 4000), 2, 16, 44100, 44, 4000,
         1000.0 / 44100},
        {"half a sample frame at the end", wav(2, 16, 8000, 4002, 4002), 2, 16, 8000, 44, 4000,
         1000.0 / 8000},
    };
    for (const auto& c : cases) {
        WavInfo w;
        std::string why;
        ASSERT_TRUE(readWavInfo(c.file.data(), c.file.size(), w, &why)) << c.what << ": " << why;
        EXPECT_EQ(w.channels, c.channels) << c.what;
        EXPECT_EQ(w.bitsPerSample, c.bits) << c.what;
        EXPECT_EQ(w.sampleRate, c.rate) << c.what;
        EXPECT_EQ(w.dataOffset, c.dataOffset) << c.what;
        EXPECT_EQ(w.dataBytes, c.dataBytes) << c.what;
        EXPECT_NEAR(w.durationSeconds, c.seconds, 1e-9) << c.what;
    }
}

TEST(WavInfoTest, RefusesWhatItCannotPlay) {
    const Bytes whole = wav(2, 16, 8000, 4, 4);
    Bytes dataFirst = whole;
    std::memcpy(dataFirst.data() + 12, "junk", 4); // the format chunk no longer counts
    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
        {"compressed", wav(2, 16, 8000, 4, 4, 2)},
        {"24-bit", wav(2, 24, 8000, 6, 6)},
        {"six channels", wav(6, 16, 8000, 12, 12)},
        {"data before format", dataFirst},
        {"header only", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}},
        {"cut inside the format", Bytes(whole.begin(), whole.begin() + 30)},
        {"an MP3", frames(kCd, 3)},
    };
    for (const auto& c : cases) {
        WavInfo w;
        EXPECT_FALSE(readWavInfo(c.file.data(), c.file.size(), w)) << c.what;
    }
}

TEST(MediaKindTest, ContentFirstThenName) {
    const Bytes riffWave = wav(1, 8, 8000, 2, 2);
    const Bytes riffMidi = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'R', 'M', 'I', 'D'};
    const Bytes smf = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    const Bytes mp3 = frames(kCd, 2);
    struct Case {
        const Bytes* data;
        const char* name;
        MediaKind kind;
    } cases[] = {
        {&riffWave, "C:\\a\\song.mp3", MediaKind::Wav},
        {&smf, "tune.wav", MediaKind::Midi},
        {&riffMidi, "x", MediaKind::Midi},
        {&mp3, "C:\\music\\A.MID", MediaKind::Midi},
        {&mp3, "C:\\music.d\\song", MediaKind::Unknown},
        {&mp3, "song.Mp3", MediaKind::Mp3},
        {&mp3, "sound.WAV", MediaKind::Wav},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mediaKindOf(c.data->data(), c.data->size(), c.name), c.kind) << c.name;
}

} // namespace
} // namespace tessel
