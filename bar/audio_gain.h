// Volume and balance of the player, in hundredths of a decibel as the bar's
// sliders give them, turned into per-channel factors applied to 16-bit
// samples.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessel {

inline constexpr int32_t kVolumeMin = -2500, kVolumeMax = 0;
inline constexpr int32_t kBalanceMin = -5000, kBalanceMax = 5000;

// Factors in 1/65536 units (65536 = unchanged).
struct ChannelGain {
    int32_t left = 65536;
    int32_t right = 65536;
};

// Volume attenuates both channels; a positive balance attenuates the left
// channel by that much, a negative one the right. Values outside the
// sliders' ranges are brought into them.
ChannelGain channelGain(int32_t volume, int32_t balance);

// Scales interleaved samples in place (mono takes the left factor),
// saturating at the 16-bit limits.
void applyGain(int16_t* samples, size_t frames, int channels, ChannelGain g);

} // namespace tessel
