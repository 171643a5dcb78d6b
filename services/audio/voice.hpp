// voice.hpp -- one playing instance of a sound inside the mixer, and how it
// is added into the mix: resampled to the device rate, scaled by its gain.
#pragma once

#include <cstdint>
#include <memory>

#include "services/audio/sound.hpp"
#include "services/audio/stream.hpp"

struct Voice {
    SoundRef sound;              // none on an idle channel
    std::uint64_t position = 0;  // in source frames, 32.32 fixed point
    std::int16_t gain = 4096;    // volume x 4096
    bool active = false;         // sounding or paused; false once ended or stopped
    bool paused = false;
    bool announced = false;  // the start hook has been told about this instance
    // Where a streamed sound is being decoded, made at its first pull; let
    // go with the sound, on the game's thread.
    std::unique_ptr<StreamCursor> cursor = nullptr;
};

// Gain held for a volume (1.0 as recorded): volume x 4096, truncated toward
// zero and clamped to 16 bits; not-a-number is silence.
std::int16_t GainOf(float volume);

// Step through the source per output frame, 32.32 fixed point.
std::uint64_t StepFor(int source_rate, int device_rate);

// Adds `frames` stereo frames of an active, unpaused voice into mix (left,
// right interleaved), each sample scaled by gain >> 12.  Returns false, and
// leaves the voice inactive, when a sound that does not loop runs out.
bool MixVoice(Voice& voice, std::int32_t* mix, int frames, std::uint64_t step);
