// mixer.hpp -- the software mixer: 4096 slots, each holding at most one
// voice, addressed by generation-counted handles.  Every operation takes the
// mixer's one lock for its own length only; the audio thread takes it for
// one pull.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>

#include "services/audio/voice.hpp"

class Mixer {
   public:
    static constexpr int kSlots = 4096;
    static constexpr std::uint32_t kSlotMask = kSlots - 1;  // low 12 bits of a handle

    constexpr Mixer() = default;
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    void Open(int device_rate);  // frames per second of the device; 0: the Null driver
    bool IsNull();               // no device: voices never sound
    int Rate();                  // device rate, 44100 for the Null driver

    // A handle on a fresh slot holding the sound paused (none: an idle
    // channel); nothing when every slot is taken.
    std::optional<std::uint32_t> Take(const SoundRef& sound);
    // The handle is given back; a voice on the slot plays on to its end and
    // then frees the slot (a paused one, which nobody can resume, ends now).
    void Release(std::uint32_t handle);
    void SetGain(std::uint32_t handle, std::int16_t gain);  // volume x 4096
    // Pauses or resumes; returns the sound when a cued voice is resumed for
    // the first time, so the caller can announce it outside the lock.
    SoundRef SetPaused(std::uint32_t handle, bool paused);
    void Stop(std::uint32_t handle);
    bool Playing(std::uint32_t handle);  // active and not paused
    int ActiveVoices();                  // playing or paused

    void Mix(std::int16_t* stereo, int frames);  // interleaved frames at the device rate
    void Reset();  // every slot free and silent; handles already given stay stale

   private:
    struct Slot {
        Voice voice;
        std::uint32_t issued = 0;  // upper bits of the current handle, +4096 per hand-out
        bool owned = false;        // a channel holds the current handle
        bool listed = false;       // in live_, which the mix walks
        bool Free() const { return !owned && !voice.active; }
    };

    Slot* Find(std::uint32_t handle);  // the slot a live handle names; call locked
    void List(int index);              // puts an active slot in live_; call locked

    std::mutex mutex_;
    std::array<Slot, kSlots> slots_;
    // Slots that may hold an active voice, so a pull does not walk all 4096;
    // the mix drops the ones that have gone quiet.
    std::array<std::uint16_t, kSlots> live_{};
    int live_count_ = 0;
    int cursor_ = 0;  // where the search for a free slot starts
    int rate_ = 0;    // 0 until a driver is open
    bool null_ = true;
};

Mixer& TheMixer();  // the one mixer, alive until the process ends
