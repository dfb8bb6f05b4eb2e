#include "bar/audio_gain.h"

#include <algorithm>
#include <cmath>

namespace tessel {

namespace {
int32_t factor(int32_t hundredthsDb) {
    return int32_t(std::lround(65536.0 * std::pow(10.0, hundredthsDb / 2000.0)));
}
} // namespace

ChannelGain channelGain(int32_t volume, int32_t balance) {
    volume = std::clamp(volume, kVolumeMin, kVolumeMax);
    balance = std::clamp(balance, kBalanceMin, kBalanceMax);
    const int32_t left = volume - std::max(balance, 0);
    const int32_t right = volume + std::min(balance, 0);
    return {factor(left), factor(right)};
}

void applyGain(int16_t* samples, size_t frames, int channels, ChannelGain g) {
    if (!samples || channels < 1)
        return;
    if (g.left == 65536 && (channels == 1 || g.right == 65536))
        return;
    auto scale = [](int16_t s, int32_t f) {
        const int64_t v = (int64_t(s) * f) >> 16;
        return int16_t(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX));
    };
    for (size_t i = 0; i < frames; ++i) {
        int16_t* frame = samples + i * size_t(channels);
        frame[0] = scale(frame[0], g.left);
        if (channels > 1)
            frame[1] = scale(frame[1], g.right);
    }
}

} // namespace tessel
