// mixer.cpp -- slots, handles and the mix of all voices into 16-bit stereo.
#include "services/audio/mixer.hpp"

#include <algorithm>

namespace {

constexpr int kNullRate = 44100;
constexpr int kChunkFrames = 1024;  // frames mixed per pass of the 32-bit buffer

// The mixer is never destroyed: the audio thread and channels held in the
// game's globals may still reach it while the process exits.  Constant
// initialisation means no constructor runs at start-up either.
union MixerStorage {
    constexpr MixerStorage() : mixer() {}
    ~MixerStorage() {}
    Mixer mixer;
};
constinit MixerStorage g_storage;

}  // namespace

Mixer& TheMixer() {
    return g_storage.mixer;
}

void Mixer::Open(int device_rate) {
    std::lock_guard lock(mutex_);
    null_ = device_rate <= 0;
    rate_ = null_ ? kNullRate : device_rate;
}

bool Mixer::IsNull() {
    std::lock_guard lock(mutex_);
    return null_;
}

int Mixer::Rate() {
    std::lock_guard lock(mutex_);
    return rate_;
}

Mixer::Slot* Mixer::Find(std::uint32_t handle) {
    Slot& slot = slots_[handle & kSlotMask];
    return slot.owned && slot.issued == (handle & ~kSlotMask) ? &slot : nullptr;
}

void Mixer::List(int index) {
    Slot& slot = slots_[index];
    if (slot.listed || !slot.voice.active) return;
    slot.listed = true;
    live_[live_count_++] = std::uint16_t(index);
}

std::optional<std::uint32_t> Mixer::Take(const SoundRef& sound) {
    std::lock_guard lock(mutex_);
    for (int tried = 0; tried < kSlots; ++tried) {
        int index = (cursor_ + tried) & int(kSlotMask);
        Slot& slot = slots_[index];
        if (!slot.Free()) continue;
        cursor_ = (index + 1) & int(kSlotMask);
        slot.issued += kSlots;
        slot.owned = true;
        // The Null driver keeps the sound only to announce it; it never sounds.
        slot.voice = Voice{.sound = sound, .active = sound && !null_, .paused = bool(sound)};
        List(index);
        return slot.issued | std::uint32_t(index);
    }
    return std::nullopt;
}

void Mixer::Release(std::uint32_t handle) {
    std::lock_guard lock(mutex_);
    Slot* slot = Find(handle);
    if (!slot) return;
    slot->owned = false;
    if (slot->voice.paused) slot->voice.active = false;
    if (!slot->voice.active) slot->voice = Voice{};
}

void Mixer::SetGain(std::uint32_t handle, std::int16_t gain) {
    std::lock_guard lock(mutex_);
    if (Slot* slot = Find(handle)) slot->voice.gain = gain;
}

SoundRef Mixer::SetPaused(std::uint32_t handle, bool paused) {
    std::lock_guard lock(mutex_);
    Slot* slot = Find(handle);
    if (!slot || !slot->voice.sound) return nullptr;
    slot->voice.paused = paused;
    if (paused || slot->voice.announced) return nullptr;
    slot->voice.announced = true;
    return slot->voice.sound;
}

void Mixer::Stop(std::uint32_t handle) {
    std::lock_guard lock(mutex_);
    if (Slot* slot = Find(handle)) slot->voice = Voice{};
}

bool Mixer::Playing(std::uint32_t handle) {
    std::lock_guard lock(mutex_);
    Slot* slot = Find(handle);
    return slot && slot->voice.active && !slot->voice.paused;
}

int Mixer::ActiveVoices() {
    std::lock_guard lock(mutex_);
    return int(std::count_if(slots_.begin(), slots_.end(),
                             [](const Slot& slot) { return slot.voice.active; }));
}

void Mixer::Mix(std::int16_t* stereo, int frames) {
    std::lock_guard lock(mutex_);
    std::int32_t mix[2 * kChunkFrames];
    while (frames > 0) {
        int n = std::min(frames, kChunkFrames);
        std::fill(mix, mix + 2 * n, 0);
        int kept = 0;
        for (int i = 0; i < live_count_; ++i) {
            Slot& slot = slots_[live_[i]];
            Voice& voice = slot.voice;
            // A voice that ends keeps its sound until the game thread reuses
            // the slot, so sample memory is never freed here.
            if (voice.active && !voice.paused) {
                MixVoice(voice, mix, n, StepFor(voice.sound->rate, rate_));
            }
            if (voice.active) {
                live_[kept++] = live_[i];
            } else {
                slot.listed = false;
            }
        }
        live_count_ = kept;
        for (int i = 0; i < 2 * n; ++i) {
            stereo[i] = std::int16_t(std::clamp(mix[i], -32768, 32767));
        }
        stereo += 2 * n;
        frames -= n;
    }
}

void Mixer::Reset() {
    std::lock_guard lock(mutex_);
    for (Slot& slot : slots_) {
        slot.owned = false;
        slot.listed = false;
        slot.voice = Voice{};
    }
    live_count_ = 0;
    cursor_ = 0;
    rate_ = 0;
    null_ = true;
}
