#include "bar/media_header.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace tessel {

namespace {

constexpr int kBitratesV1[16] = {0,   32,  40,  48,  56,  64,  80,  96,
                                 112, 128, 160, 192, 224, 256, 320, 0};
constexpr int kBitratesV2[16] = {0,  8,  16, 24,  32,  40,  48,  56,
                                 64, 80, 96, 112, 128, 144, 160, 0};
constexpr int kRatesV1[3] = {44100, 48000, 32000};

uint32_t be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
uint32_t le32(const uint8_t* p) {
    return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}
uint16_t le16(const uint8_t* p) { return uint16_t(p[1] << 8 | p[0]); }

void say(std::string* why, const char* text) {
    if (why)
        *why = text;
}

bool sameStream(const Mp3FrameHeader& a, const Mp3FrameHeader& b) {
    return a.version == b.version && a.sampleRate == b.sampleRate;
}

// A header that is followed by another of the same stream (or ends the
// audio exactly): a lone 0xFFE bit pattern inside other data is not a frame.
bool frameAt(const uint8_t* data, size_t pos, size_t end, Mp3FrameHeader& h) {
    if (pos + 4 > end || !parseMp3FrameHeader(data + pos, end - pos, h))
        return false;
    const size_t next = pos + size_t(h.frameBytes);
    if (next > end)
        return false;
    if (next == end)
        return true;
    Mp3FrameHeader n;
    if (next + 4 > end)
        return false;
    return parseMp3FrameHeader(data + next, end - next, n) && sameStream(h, n);
}

size_t findFrame(const uint8_t* data, size_t from, size_t end, Mp3FrameHeader& h) {
    for (size_t pos = from; pos + 4 <= end; ++pos) {
        if (data[pos] == 0xFF && (data[pos + 1] & 0xE0) == 0xE0 && frameAt(data, pos, end, h))
            return pos;
    }
    return end;
}

// The Xing/Info header (after the side information) or the VBRI header (32
// bytes after the frame header) of the first frame.
bool readVbrHeader(const uint8_t* frame, const Mp3FrameHeader& h, Mp3Info& info) {
    const size_t n = size_t(h.frameBytes);
    const size_t x = 4 + size_t(h.sideInfoBytes);
    if (x + 8 <= n && (std::memcmp(frame + x, "Xing", 4) == 0 ||
                       std::memcmp(frame + x, "Info", 4) == 0)) {
        const uint32_t flags = be32(frame + x + 4);
        size_t at = x + 8;
        if (flags & 1) {
            if (at + 4 > n)
                return false;
            info.headerFrames = be32(frame + at);
            at += 4;
        }
        if (flags & 2 && at + 4 <= n)
            info.headerBytes = be32(frame + at);
        // Only a frame count makes the header useful for the length.
        return flags & 1;
    }
    const size_t v = 4 + 32;
    if (v + 18 <= n && std::memcmp(frame + v, "VBRI", 4) == 0) {
        info.headerBytes = be32(frame + v + 10);
        info.headerFrames = be32(frame + v + 14);
        return true;
    }
    return false;
}

} // namespace

bool parseMp3FrameHeader(const uint8_t* p, size_t n, Mp3FrameHeader& h) {
    if (n < 4 || p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return false;
    const int versionBits = (p[1] >> 3) & 3;
    const int layerBits = (p[1] >> 1) & 3;
    if (versionBits == 1 || layerBits != 1) // reserved version; layer III only
        return false;
    const int bitrateIndex = p[2] >> 4;
    const int rateIndex = (p[2] >> 2) & 3;
    if (bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return false;
    h.version = versionBits == 3 ? MpegVersion::V1
                : versionBits == 2 ? MpegVersion::V2
                                   : MpegVersion::V25;
    const bool v1 = h.version == MpegVersion::V1;
    h.bitrateKbps = v1 ? kBitratesV1[bitrateIndex] : kBitratesV2[bitrateIndex];
    const int divisor = v1 ? 1 : h.version == MpegVersion::V2 ? 2 : 4;
    h.sampleRate = kRatesV1[rateIndex] / divisor;
    h.padding = (p[2] >> 1) & 1;
    h.channels = (p[3] >> 6) == 3 ? 1 : 2;
    h.samplesPerFrame = v1 ? 1152 : 576;
    h.frameBytes = (v1 ? 144 : 72) * h.bitrateKbps * 1000 / h.sampleRate + (h.padding ? 1 : 0);
    h.sideInfoBytes = v1 ? (h.channels == 1 ? 17 : 32) : (h.channels == 1 ? 9 : 17);
    return true;
}

size_t id3v2TagSize(const uint8_t* p, size_t n) {
    if (n < 10 || std::memcmp(p, "ID3", 3) != 0 || p[3] == 0xFF || p[4] == 0xFF)
        return 0;
    uint32_t size = 0;
    for (int i = 6; i < 10; ++i) {
        if (p[i] & 0x80) // sizes are stored seven bits to a byte
            return 0;
        size = size << 7 | p[i];
    }
    return 10 + size_t(size) + ((p[5] & 0x10) ? 10 : 0);
}

bool readMp3Info(const uint8_t* data, size_t size, Mp3Info& info, std::string* why) {
    info = Mp3Info{};
    if (!data)
        size = 0;
    size_t start = 0;
    // Some writers put more than one tag in front; each is skipped in turn.
    for (size_t tag; start < size && (tag = id3v2TagSize(data + start, size - start)) != 0;)
        start = tag > size - start ? size : start + tag;
    size_t end = size;
    if (end - start >= 128 && std::memcmp(data + end - 128, "TAG", 3) == 0)
        end -= 128;
    info.audioEnd = end;

    Mp3FrameHeader h;
    size_t pos = findFrame(data, start, end, h);
    if (pos >= end) {
        say(why, "no MPEG audio frames");
        return false;
    }
    info.first = h;
    if (readVbrHeader(data + pos, h, info)) {
        info.vbrHeader = true;
        pos += size_t(h.frameBytes); // the header's frame holds no sound
    }
    info.firstFrame = pos;

    while (pos < end) {
        Mp3FrameHeader f;
        if (pos + 4 <= end && parseMp3FrameHeader(data + pos, end - pos, f) &&
            sameStream(f, info.first) && pos + size_t(f.frameBytes) <= end) {
            info.frames.push_back(uint32_t(pos));
            pos += size_t(f.frameBytes);
            continue;
        }
        pos = findFrame(data, pos + 1, end, f);
    }
    if (info.frames.empty()) {
        say(why, "no MPEG audio frames");
        return false;
    }
    const double perFrame = double(h.samplesPerFrame) / h.sampleRate;
    // A few frames of slack: some writers count the header's own frame. A
    // file cut further short than that plays what is there, as one without
    // the header would.
    if (info.vbrHeader && info.headerFrames > 0 && info.frames.size() + 2 >= info.headerFrames) {
        info.durationSeconds = info.headerFrames * perFrame;
    } else {
        info.durationSeconds = double(info.frames.size()) * perFrame;
    }
    return true;
}

bool readWavInfo(const uint8_t* data, size_t size, WavInfo& info, std::string* why) {
    info = WavInfo{};
    if (!data || size < 12 || std::memcmp(data, "RIFF", 4) != 0 ||
        std::memcmp(data + 8, "WAVE", 4) != 0) {
        say(why, "not a RIFF/WAVE file");
        return false;
    }
    bool haveFormat = false;
    int blockAlign = 0;
    for (size_t pos = 12; pos + 8 <= size;) {
        const uint8_t* c = data + pos;
        const size_t body = pos + 8;
        const size_t length = le32(c + 4);
        const size_t avail = size - body;
        if (std::memcmp(c, "fmt ", 4) == 0) {
            if (length < 16 || avail < 16) {
                say(why, "format chunk too short");
                return false;
            }
            const uint8_t* f = data + body;
            int tag = le16(f);
            if (tag == 0xFFFE && length >= 26 && avail >= 26) // extensible: sub-format
                tag = le16(f + 24);
            info.channels = le16(f + 2);
            info.sampleRate = int(le32(f + 4));
            blockAlign = le16(f + 12);
            info.bitsPerSample = le16(f + 14);
            if (tag != 1 || info.channels < 1 || info.channels > 2 ||
                (info.bitsPerSample != 8 && info.bitsPerSample != 16) ||
                info.sampleRate < 1000 || info.sampleRate > 384000 ||
                blockAlign != info.channels * info.bitsPerSample / 8) {
                say(why, "not uncompressed 8- or 16-bit mono or stereo sound");
                return false;
            }
            haveFormat = true;
        } else if (std::memcmp(c, "data", 4) == 0) {
            if (!haveFormat) {
                say(why, "sound data before its format");
                return false;
            }
            const size_t bytes = std::min(length, avail);
            info.dataOffset = body;
            info.dataBytes = bytes - bytes % size_t(blockAlign);
            info.durationSeconds =
                double(info.dataBytes / size_t(blockAlign)) / info.sampleRate;
            return true;
        }
        if (length > avail)
            break;
        pos = body + length + (length & 1); // chunks are padded to even sizes
    }
    say(why, haveFormat ? "no sound data" : "no format chunk");
    return false;
}

MediaKind mediaKindOf(const uint8_t* data, size_t size, const std::string& fileName) {
    if (data && size >= 12 && std::memcmp(data, "RIFF", 4) == 0) {
        if (std::memcmp(data + 8, "WAVE", 4) == 0)
            return MediaKind::Wav;
        if (std::memcmp(data + 8, "RMID", 4) == 0)
            return MediaKind::Midi;
    }
    if (data && size >= 4 && std::memcmp(data, "MThd", 4) == 0)
        return MediaKind::Midi;
    std::string ext;
    const size_t dot = fileName.find_last_of('.');
    const size_t slash = fileName.find_last_of("\\/");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        for (char ch : fileName.substr(dot + 1))
            ext += char(std::tolower(static_cast<unsigned char>(ch)));
    if (ext == "mid" || ext == "midi" || ext == "rmi")
        return MediaKind::Midi;
    if (ext == "wav")
        return MediaKind::Wav;
    return ext == "mp3" ? MediaKind::Mp3 : MediaKind::Unknown;
}

MediaKind checkMediaHeaders(const uint8_t* data, size_t size) {
    WavInfo w;
    if (readWavInfo(data, size, w))
        return MediaKind::Wav;
    Mp3Info m;
    if (readMp3Info(data, size, m))
        return MediaKind::Mp3;
    return mediaKindOf(data, size, "") == MediaKind::Midi ? MediaKind::Midi : MediaKind::Unknown;
}

} // namespace tessel
