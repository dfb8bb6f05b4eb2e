// Reading the headers of the player's media files without a platform: MP3
// (an ID3v2 tag to skip, MPEG 1, 2 and 2.5 layer III frames, the Xing/Info
// or VBRI header of variable-rate files) and WAV. Everything works on bytes
// already in memory and checks every length against the buffer's end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessel {

enum class MpegVersion { V1, V2, V25 };

struct Mp3FrameHeader {
    MpegVersion version = MpegVersion::V1;
    int bitrateKbps = 0;
    int sampleRate = 0;
    int channels = 0;       // 1 (mono) or 2
    bool padding = false;
    int frameBytes = 0;     // header included
    int samplesPerFrame = 0;
    int sideInfoBytes = 0;  // where a Xing/Info header starts after the 4 header bytes
};

// One layer III frame header at p (4 bytes). False for anything else: no
// sync, layer I or II, the reserved version, bit rate "free" or "bad", the
// reserved sample rate.
bool parseMp3FrameHeader(const uint8_t* p, size_t n, Mp3FrameHeader& h);

// Size of an ID3v2 tag at the start of the data (header, body and footer),
// or 0 when there is none. The size may reach past the data's end.
size_t id3v2TagSize(const uint8_t* p, size_t n);

struct Mp3Info {
    Mp3FrameHeader first;          // the first frame's header
    size_t firstFrame = 0;         // offset of the first audio frame
    size_t audioEnd = 0;           // end of audio (an ID3v1 tag is left out)
    bool vbrHeader = false;        // a Xing/Info or VBRI header gave the frame count
    uint32_t headerFrames = 0;     // frame count of that header
    uint32_t headerBytes = 0;      // byte count of that header (0 when not given)
    std::vector<uint32_t> frames;  // offsets of every audio frame found
    double durationSeconds = 0;
};

// Reads an MP3 file's headers and indexes its frames. On failure returns
// false and says why in `why` (no frames at all). A file cut short of what
// its own header announces lasts as long as the frames it holds.
bool readMp3Info(const uint8_t* data, size_t size, Mp3Info& info, std::string* why = nullptr);

struct WavInfo {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0; // 8 or 16
    size_t dataOffset = 0;
    size_t dataBytes = 0;  // whole sample frames only, within the file
    double durationSeconds = 0;
};

// A RIFF/WAVE file of uncompressed 8- or 16-bit samples, one or two
// channels. A data chunk that claims more than the file holds is cut to the
// file.
bool readWavInfo(const uint8_t* data, size_t size, WavInfo& info, std::string* why = nullptr);

enum class MediaKind { Unknown, Mp3, Wav, Midi };
// By the file's content first ("RIFF....WAVE", "MThd"), then by its name.
MediaKind mediaKindOf(const uint8_t* data, size_t size, const std::string& fileName);

// One entry point over every reader, for fuzzing: never crashes, hangs or
// reads outside [data, data + size). Returns the kind that read cleanly.
MediaKind checkMediaHeaders(const uint8_t* data, size_t size);

} // namespace tessel
