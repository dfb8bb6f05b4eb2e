// Sound as 16-bit samples from a media file: MP3 decoded through the
// platform's MPEG Layer-3 codec (acmStream*), WAV read as it is.
#pragma once
#include <windows.h>

#include "bar/media_header.h"
#include "formats/run_error.h"

#include <memory>
#include <string>
#include <vector>

namespace tessel::win {

class PcmSource {
public:
    virtual ~PcmSource() = default;
    virtual int channels() const = 0;
    virtual int sampleRate() const = 0;
    virtual double duration() const = 0;
    // Moves to the frame holding `seconds` (clamped to the sound) and returns
    // where reading now starts, in seconds.
    virtual double seek(double seconds) = 0;
    // Up to `maxFrames` sample frames (interleaved); 0 at the end.
    virtual size_t read(int16_t* out, size_t maxFrames) = 0;
};

// The whole file; 53, 76 or 70 when it cannot be read.
RunError readWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

// A decoder for an MP3 or WAV file already read; 321 with the reason for a
// file that is neither, or that the codec will not take.
RunError openPcmSource(const std::string& path, std::vector<uint8_t> bytes, MediaKind kind,
                       std::unique_ptr<PcmSource>& out);

} // namespace tessel::win
