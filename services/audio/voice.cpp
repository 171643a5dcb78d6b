// voice.cpp -- resampling and scaling one voice into the 32-bit mix.
#include "services/audio/voice.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>
#include <new>

#include "services/audio/stream.hpp"

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

namespace {

// Frames of a sound at the device rate: no interpolation needed.
template <std::size_t Width>
void MixDirect(const std::int16_t* from, std::int32_t gain, std::int32_t* mix, int frames) {
    const std::size_t right = Width - 1;  // a mono sound feeds both sides
    for (int i = 0; i < frames; ++i) {
        mix[2 * i] += (from[i * Width] * gain) >> 12;
        mix[2 * i + 1] += (from[i * Width + right] * gain) >> 12;
    }
}

// Resampled frames whose next source frame exists: linear interpolation with
// a 15-bit fraction, so the products stay inside 32 bits.
template <std::size_t Width>
void MixResampled(const std::int16_t* data, std::uint64_t position, std::uint64_t step,
                  std::int32_t gain, std::int32_t* mix, int frames) {
    const std::size_t right = Width - 1;
    for (int i = 0; i < frames; ++i, position += step) {
        const std::int16_t* at = data + std::size_t(position >> 32) * Width;
        std::int32_t fraction = std::int32_t(position >> 17) & 0x7FFF;
        std::int32_t left = at[0] + (((at[Width] - at[0]) * fraction) >> 15);
        std::int32_t right_sample =
            at[right] + (((at[Width + right] - at[right]) * fraction) >> 15);
        mix[2 * i] += (left * gain) >> 12;
        mix[2 * i + 1] += (right_sample * gain) >> 12;
    }
}

template <std::size_t Width>
void MixRun(const std::int16_t* data, std::uint64_t position, std::uint64_t step, std::int32_t gain,
            std::int32_t* mix, int frames) {
    if (step == std::uint64_t(1) << 32 && (position & 0xFFFFFFFF) == 0) {
        MixDirect<Width>(data + std::size_t(position >> 32) * Width, gain, mix, frames);
    } else {
        MixResampled<Width>(data, position, step, gain, mix, frames);
    }
}

// The frames one pull of a voice is mixed from: `data` holds frames `first`
// to `frames` (the length, once known), `head` frame 0 for the loop join.
struct Samples {
    const std::int16_t* data;
    std::size_t first;
    std::size_t frames;
    const std::int16_t* head;
    bool loop;
};

// A streamed sound is first decoded far enough that every frame of the pull,
// and the position after it, has a next frame: until its end is known, the
// part decoded so far mixes exactly as the whole sound would.  The frames
// before the position are let go as it moves on.
Samples SamplesFor(Voice& voice, std::uint64_t position, int frames, std::uint64_t step) {
    const TSound& sound = *voice.sound;
    if (!sound.stream) {
        return {sound.samples.data(), 0, std::size_t(sound.Frames()), sound.samples.data(),
                sound.loop};
    }
    const Samples none{nullptr, 0, 0, nullptr, false};
    if (!voice.cursor) {
        try {
            voice.cursor = std::make_unique<StreamCursor>(sound.stream);
        } catch (const std::bad_alloc&) {
            return none;  // ends the voice
        }
    }
    StreamCursor& cursor = *voice.cursor;
    // Source frame reached after the pull, worked in two halves so that no
    // rate or pull length can overflow it.
    const std::uint64_t count = std::uint64_t(frames > 0 ? frames : 0);
    const std::uint64_t after = (position >> 32) + count * (step >> 32) +
                                ((count * (step & 0xFFFFFFFF) + (position & 0xFFFFFFFF)) >> 32);
    cursor.Need(std::size_t(position >> 32), std::size_t(after) + 2);
    if (cursor.First() > (position >> 32)) return none;  // nothing left to play from here
    // Damage ends the track at its last good frame instead of going round.
    return {cursor.Data(), cursor.First(), cursor.Finished() ? cursor.Length() : cursor.End(),
            cursor.Head(), sound.loop && !cursor.Damaged()};
}

}  // namespace

bool MixVoice(Voice& voice, std::int32_t* mix, int frames, std::uint64_t step) {
    const TSound& sound = *voice.sound;
    const std::size_t width = std::size_t(sound.channels);
    if ((width != 1 && width != 2) || step == 0) {
        voice.active = false;
        return false;
    }
    std::uint64_t position = voice.position;
    Samples samples = SamplesFor(voice, position, frames, step);
    if (samples.frames == 0) {
        voice.active = false;
        return false;
    }
    const std::uint64_t end = std::uint64_t(samples.frames) << 32;
    const std::uint64_t last = end - (std::uint64_t(1) << 32);  // where the last frame starts
    const bool loop = samples.loop;
    const std::size_t right = width - 1;
    const std::int32_t gain = voice.gain;
    int i = 0;
    // Past the end, a looping sound goes round again (a step longer than the
    // whole sound goes round more than once) and any other has ended.  Checked
    // before every read: a run of a sound faster than the device can step
    // beyond its last frame, not just onto it.  A stream that no longer holds
    // the start decodes it again for the rest of the pull.
    auto wrap = [&] {
        if (position < end) return true;
        if (loop) {
            position %= end;
            if ((position >> 32) >= samples.first) return true;
            samples = SamplesFor(voice, position, frames - i, step);
            if ((std::uint64_t(samples.frames) << 32) == end && samples.loop) return true;
            // Going round fell short of the first pass: it ends here.
        }
        voice.position = end;
        voice.active = false;
        return false;
    };
    if (!wrap()) return false;
    while (i < frames) {
        if (position < last) {
            // A run of frames that all have a next frame, mixed without checks.
            std::uint64_t until_last = (last - position + step - 1) / step;
            int run = int(std::min<std::uint64_t>(until_last, std::uint64_t(frames - i)));
            const std::uint64_t held = position - (std::uint64_t(samples.first) << 32);
            if (width == 1) {
                MixRun<1>(samples.data, held, step, gain, mix + 2 * i, run);
            } else {
                MixRun<2>(samples.data, held, step, gain, mix + 2 * i, run);
            }
            position += std::uint64_t(run) * step;
            i += run;
        } else {
            // The last frame: it blends into the first when looping, else is held.
            const std::int16_t* at =
                samples.data + (std::size_t(position >> 32) - samples.first) * width;
            const std::int16_t* next = loop ? samples.head : at;
            std::int32_t left_sample = at[0];
            std::int32_t right_sample = at[right];
            std::int32_t fraction = std::int32_t(position >> 17) & 0x7FFF;
            left_sample += ((next[0] - left_sample) * fraction) >> 15;
            right_sample += ((next[right] - right_sample) * fraction) >> 15;
            mix[2 * i] += (left_sample * gain) >> 12;
            mix[2 * i + 1] += (right_sample * gain) >> 12;
            ++i;
            position += step;
        }
        if (!wrap()) return false;
    }
    voice.position = position;
    return true;
}
