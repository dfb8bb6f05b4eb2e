// Sound as 16-bit samples from a media file: MP3 decoded through the
// platform's MPEG Layer-3 codec (acmStream*), WAV read as it is.
#pragma once
#include <windows.h>

#include "bar/media_header.h"
#include "common/win/scoped.h"
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

// A media file seen through a read-only mapping: nothing is copied, and the
// system reads a page of the file only when the decoder, on the playback
// thread, first touches it. A large file therefore costs address space, not
// memory.
class MappedFile {
public:
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // 53, 76 or 70 when it cannot be opened; 321 for a file larger than the
    // player takes; 7 when the address space has no room for it.
    static RunError open(const std::string& path, std::shared_ptr<const MappedFile>& out);

    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

private:
    MappedFile() = default;
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    zt::ScopedFileHandle file_;
    zt::ScopedKernelHandle mapping_;
};

// A decoder for an MP3 or WAV file; 321 with the reason for a file that is
// neither, or that the codec will not take.
RunError openPcmSource(const std::string& path, std::shared_ptr<const MappedFile> file,
                       MediaKind kind, std::unique_ptr<PcmSource>& out);

} // namespace tessel::win
