#include "bar/win/pcm_source.h"
#include "bar/win/sound_library.h"

#include "common/win/files.h"
#include "common/win/scoped.h"

// clang-format off
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>
// clang-format on

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace tessel::win {

namespace {

// Larger files are not music the bar is meant for.
constexpr uint64_t kLargestFile = 512ull << 20;
// Frames handed to the codec at a time: about a fifth of a second.
constexpr size_t kFramesPerConvert = 8;

RunError fileError(DWORD code, const std::string& path) {
    return RunError::at(fileErrorNumber(code), path);
}

class WavSource final : public PcmSource {
public:
    WavSource(std::shared_ptr<const MappedFile> file, const WavInfo& info)
        : file_(std::move(file)), info_(info),
          frameBytes_(size_t(info.channels * info.bitsPerSample / 8)),
          totalFrames_(info.dataBytes / frameBytes_) {}

    int channels() const override { return info_.channels; }
    int sampleRate() const override { return info_.sampleRate; }
    double duration() const override { return info_.durationSeconds; }
    double seek(double seconds) override {
        const double f = std::clamp(seconds, 0.0, duration()) * info_.sampleRate;
        next_ = std::min(totalFrames_, size_t(f));
        return double(next_) / info_.sampleRate;
    }
    size_t read(int16_t* out, size_t maxFrames) override {
        const size_t n = std::min(maxFrames, totalFrames_ - next_);
        const uint8_t* p = file_->data() + info_.dataOffset + next_ * frameBytes_;
        const size_t samples = n * size_t(info_.channels);
        if (info_.bitsPerSample == 16) {
            std::memcpy(out, p, samples * 2);
        } else {
            for (size_t i = 0; i < samples; ++i)
                out[i] = int16_t((int(p[i]) - 128) << 8);
        }
        next_ += n;
        return n;
    }

private:
    std::shared_ptr<const MappedFile> file_;
    WavInfo info_;
    size_t frameBytes_;
    size_t totalFrames_;
    size_t next_ = 0;
};

class Mp3Source final : public PcmSource {
public:
    Mp3Source(std::shared_ptr<const MappedFile> file, Mp3Info info)
        : file_(std::move(file)), info_(std::move(info)) {}
    ~Mp3Source() override { close(); }

    bool open() {
        close();
        const Mp3FrameHeader& h = info_.first;
        MPEGLAYER3WAVEFORMAT in = {};
        in.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
        in.wfx.nChannels = WORD(h.channels);
        in.wfx.nSamplesPerSec = DWORD(h.sampleRate);
        in.wfx.nAvgBytesPerSec = DWORD(h.bitrateKbps * 1000 / 8);
        in.wfx.nBlockAlign = 1;
        in.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
        in.wID = MPEGLAYER3_ID_MPEG;
        in.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
        in.nBlockSize = WORD(h.frameBytes);
        in.nFramesPerBlock = 1;
        WAVEFORMATEX out = {};
        out.wFormatTag = WAVE_FORMAT_PCM;
        out.nChannels = WORD(h.channels);
        out.nSamplesPerSec = DWORD(h.sampleRate);
        out.wBitsPerSample = 16;
        out.nBlockAlign = WORD(h.channels * 2);
        out.nAvgBytesPerSec = out.nSamplesPerSec * out.nBlockAlign;
        const SoundLibrary& sound = soundLibrary();
        if (!sound.acm() || sound.acmStreamOpen(&stream_, nullptr, &in.wfx, &out, nullptr, 0, 0,
                                                ACM_STREAMOPENF_NONREALTIME) != 0) {
            stream_ = nullptr;
            return false;
        }
        started_ = false;
        pending_.clear();
        pendingAt_ = 0;
        carry_.clear();
        return true;
    }

    int channels() const override { return info_.first.channels; }
    int sampleRate() const override { return info_.first.sampleRate; }
    double duration() const override { return info_.durationSeconds; }

    double seek(double seconds) override {
        const double perFrame = double(info_.first.samplesPerFrame) / sampleRate();
        const double to = std::clamp(seconds, 0.0, duration());
        next_ = std::min(info_.frames.size(), size_t(to / perFrame));
        // A fresh codec stream: what it held belongs to the old place.
        open();
        return double(next_) * perFrame;
    }

    size_t read(int16_t* out, size_t maxFrames) override {
        const size_t ch = size_t(channels());
        size_t done = 0;
        while (done < maxFrames) {
            if (pendingAt_ >= pending_.size() && !decodeMore())
                break;
            const size_t avail = (pending_.size() - pendingAt_) / ch;
            const size_t n = std::min(avail, maxFrames - done);
            std::memcpy(out + done * ch, pending_.data() + pendingAt_, n * ch * 2);
            pendingAt_ += n * ch;
            done += n;
        }
        return done;
    }

private:
    void close() {
        if (stream_)
            soundLibrary().acmStreamClose(stream_, 0);
        stream_ = nullptr;
    }

    // Hands the next frames to the codec; false at the end or when the codec
    // gives nothing more.
    bool decodeMore() {
        const SoundLibrary& sound = soundLibrary(); // loaded: the stream is open
        for (int attempt = 0; attempt < 4; ++attempt) {
            if (!stream_ || (next_ >= info_.frames.size() && carry_.empty()))
                return false;
            std::vector<uint8_t> src = std::move(carry_);
            carry_.clear();
            for (size_t k = 0; k < kFramesPerConvert && next_ < info_.frames.size(); ++k, ++next_) {
                const uint8_t* f = file_->data() + info_.frames[next_];
                Mp3FrameHeader h;
                if (!parseMp3FrameHeader(f, file_->size() - info_.frames[next_], h))
                    continue;
                src.insert(src.end(), f, f + h.frameBytes);
            }
            if (src.empty())
                return false;
            DWORD dstBytes = 0;
            if (sound.acmStreamSize(stream_, DWORD(src.size()), &dstBytes,
                                    ACM_STREAMSIZEF_SOURCE) != 0)
                dstBytes = 0;
            const size_t perFrame = size_t(info_.first.samplesPerFrame) * size_t(channels()) * 2;
            dstBytes = std::max<DWORD>(dstBytes, DWORD((kFramesPerConvert + 4) * perFrame));
            pending_.assign(dstBytes / 2 + 1, 0);
            pendingAt_ = 0;
            ACMSTREAMHEADER hdr = {};
            hdr.cbStruct = sizeof hdr;
            hdr.pbSrc = src.data();
            hdr.cbSrcLength = DWORD(src.size());
            hdr.pbDst = reinterpret_cast<BYTE*>(pending_.data());
            hdr.cbDstLength = dstBytes;
            if (sound.acmStreamPrepareHeader(stream_, &hdr, 0) != 0)
                return false;
            // The last frames go with the end mark, or the codec keeps the
            // final frame back, waiting for more.
            const bool last = next_ >= info_.frames.size();
            const DWORD flags = (started_ ? 0 : ACM_STREAMCONVERTF_START) |
                                (last ? ACM_STREAMCONVERTF_END : 0);
            const MMRESULT r = sound.acmStreamConvert(stream_, &hdr, flags);
            started_ = true;
            hdr.cbSrcLength = DWORD(src.size());
            hdr.cbDstLength = dstBytes;
            const DWORD used = std::min<DWORD>(hdr.cbSrcLengthUsed, DWORD(src.size()));
            const DWORD made = std::min<DWORD>(hdr.cbDstLengthUsed, dstBytes);
            sound.acmStreamUnprepareHeader(stream_, &hdr, 0);
            if (r != 0)
                return false;
            if (used < src.size())
                carry_.assign(src.begin() + used, src.end());
            pending_.resize(made / 2);
            if (!pending_.empty())
                return true;
            // The codec may keep the first frames to itself: feed it more.
        }
        return false;
    }

    std::shared_ptr<const MappedFile> file_;
    Mp3Info info_;
    HACMSTREAM stream_ = nullptr;
    bool started_ = false;
    size_t next_ = 0;
    std::vector<uint8_t> carry_;
    std::vector<int16_t> pending_;
    size_t pendingAt_ = 0;
};

} // namespace

MappedFile::~MappedFile() {
    if (data_)
        UnmapViewOfFile(data_);
}

RunError MappedFile::open(const std::string& path, std::shared_ptr<const MappedFile>& out) {
    out.reset();
    std::shared_ptr<MappedFile> m(new (std::nothrow) MappedFile);
    if (!m)
        return RunError::at(ErrorNumber::OutOfMemory, path);
    m->file_.reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m->file_)
        return fileError(GetLastError(), path);
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(m->file_.get(), &size) || uint64_t(size.QuadPart) > kLargestFile)
        return RunError::at(ErrorNumber::InvalidFileFormat, path);
    m->size_ = size_t(size.QuadPart);
    if (m->size_ > 0) { // an empty file cannot be mapped, and needs no pages
        m->mapping_.reset(
            CreateFileMappingA(m->file_.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
        if (!m->mapping_)
            return fileError(GetLastError(), path);
        m->data_ =
            static_cast<const uint8_t*>(MapViewOfFile(m->mapping_.get(), FILE_MAP_READ, 0, 0, 0));
        if (!m->data_)
            return RunError::at(ErrorNumber::OutOfMemory, path);
    }
    out = std::move(m);
    return {};
}

RunError openPcmSource(const std::string& path, std::shared_ptr<const MappedFile> file,
                       MediaKind kind, std::unique_ptr<PcmSource>& out) {
    out.reset();
    std::string why;
    auto bad = [&](const std::string& reason) {
        return RunError(ErrorNumber::InvalidFileFormat,
                        std::string(errorText(ErrorNumber::InvalidFileFormat)) + " (" + path +
                            ": " + reason + ")");
    };
    if (kind == MediaKind::Wav) {
        WavInfo info;
        if (!readWavInfo(file->data(), file->size(), info, &why))
            return bad(why);
        out = std::make_unique<WavSource>(std::move(file), info);
        return {};
    }
    Mp3Info info;
    if (!readMp3Info(file->data(), file->size(), info, &why))
        return bad(why);
    auto mp3 = std::make_unique<Mp3Source>(std::move(file), std::move(info));
    if (!mp3->open())
        return bad("the MPEG Layer-3 codec does not take it");
    out = std::move(mp3);
    return {};
}

} // namespace tessel::win
