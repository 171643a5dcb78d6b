// voice.cpp -- resampling and scaling one voice into the 32-bit mix.
#include "services/audio/voice.hpp"

#include <cmath>
#include <cstddef>

std::int16_t GainOf(float volume) {
    float gain = volume * 4096.0f;
    if (std::isnan(gain)) return 0;
    if (gain >= 32767.0f) return 32767;
    if (gain <= -32768.0f) return -32768;
    return std::int16_t(gain);
}

std::uint64_t StepFor(int source_rate, int device_rate) {
    if (source_rate <= 0 || device_rate <= 0) return std::uint64_t(1) << 32;
    return (std::uint64_t(source_rate) << 32) / std::uint64_t(device_rate);
}

bool MixVoice(Voice& voice, std::int32_t* mix, int frames, std::uint64_t step) {
    const TSound& sound = *voice.sound;
    const std::size_t count = std::size_t(sound.Frames());
    const std::size_t width = std::size_t(sound.channels);
    if (count == 0 || width == 0) {
        voice.active = false;
        return false;
    }
    const std::uint64_t end = std::uint64_t(count) << 32;
    const std::int16_t* data = sound.samples.data();
    const std::size_t right = width - 1;  // a mono sound feeds both sides
    const std::int32_t gain = voice.gain;
    std::uint64_t position = voice.position;
    for (int i = 0; i < frames; ++i) {
        std::size_t at = std::size_t(position >> 32);
        std::int32_t left_sample = data[at * width];
        std::int32_t right_sample = data[at * width + right];
        // Linear interpolation toward the next frame, 15-bit fraction so the
        // products stay inside 32 bits.
        std::int32_t fraction = std::int32_t(position >> 17) & 0x7FFF;
        if (fraction != 0) {
            std::size_t next = at + 1 < count ? at + 1 : sound.loop ? 0 : at;
            left_sample += ((data[next * width] - left_sample) * fraction) >> 15;
            right_sample += ((data[next * width + right] - right_sample) * fraction) >> 15;
        }
        mix[2 * i] += (left_sample * gain) >> 12;
        mix[2 * i + 1] += (right_sample * gain) >> 12;
        position += step;
        if (position >= end) {
            if (!sound.loop) {
                voice.position = end;
                voice.active = false;
                return false;
            }
            position %= end;
        }
    }
    voice.position = position;
    return true;
}
