// audio.cpp -- the game's audio calls: starting the driver at the first call,
// channels over the mixer's slots, and the sound-start hook.
#include <memory>

#include "services/audio/channel.hpp"
#include "services/audio/mixer.hpp"
#include "services/audio/sound.hpp"
#include "services/audio/stream.hpp"
#include "services/platform/platform.hpp"

namespace {

// Driver state, touched only on the game's thread.
constinit bool g_started = false;
constinit bool g_device_open = false;
using StartHook = void (*)(const TSound& sound);
constinit StartHook g_start_hook = nullptr;

void EnsureStarted() {
    if (!g_started) StartAudio();
}

// Only sounds the mixer can walk are cued; anything else counts as none.
bool Playable(const TSound& sound) {
    if (sound.rate <= 0 || (sound.channels != 1 && sound.channels != 2)) return false;
    // A stream's samples belong to the mixer, which ends it if it holds none.
    if (sound.stream) return sound.stream->Channels() == sound.channels;
    return sound.Frames() > 0 && sound.samples.size() % std::size_t(sound.channels) == 0;
}

ChannelRef ChannelFor(const SoundRef& sound) {
    std::optional<std::uint32_t> handle = TheMixer().Take(sound);
    return handle ? std::make_shared<TChannel>(*handle) : nullptr;
}

}  // namespace

TChannel::~TChannel() {
    TheMixer().Release(handle);
}

void StartAudio() {
    if (g_started) return;
    g_started = true;
    // The device may pull before its rate is known here; the mixer gives
    // silence until Open.
    int rate = platform::OpenAudio(&MixAudio);
    g_device_open = rate > 0;
    TheMixer().Open(rate);
}

void StartAudioAt(int rate) {
    if (g_started) return;
    g_started = true;
    TheMixer().Open(rate);
}

bool AudioIsNull() {
    EnsureStarted();
    return TheMixer().IsNull();
}

int MixerRate() {
    EnsureStarted();
    return TheMixer().Rate();
}

void MixAudio(std::int16_t* stereo, int frames) {
    if (stereo && frames > 0) TheMixer().Mix(stereo, frames);
}

int ActiveVoices() {
    return TheMixer().ActiveVoices();
}

void ResetAudio() {
    // The device goes first, so no pull runs while the slots are emptied.
    if (g_device_open) platform::CloseAudio();
    g_device_open = false;
    g_started = false;
    g_start_hook = nullptr;
    TheMixer().Reset();
}

void SetSoundStartHook(void (*hook)(const TSound& sound)) {
    g_start_hook = hook;
}

ChannelRef Cue(const SoundRef& sound) {
    if (!sound || !Playable(*sound)) return nullptr;
    EnsureStarted();
    return ChannelFor(sound);
}

ChannelRef AllocChannel() {
    EnsureStarted();
    return ChannelFor(nullptr);
}

void SetVolume(const ChannelRef& channel, float volume) {
    if (channel) TheMixer().SetGain(channel->handle, GainOf(volume));
}

void SetPaused(const ChannelRef& channel, bool paused) {
    if (!channel) return;
    SoundRef started = TheMixer().SetPaused(channel->handle, paused);
    if (started && g_start_hook) g_start_hook(*started);
}

void Stop(const ChannelRef& channel) {
    if (channel) TheMixer().Stop(channel->handle);
}

bool Playing(const ChannelRef& channel) {
    return channel && TheMixer().Playing(channel->handle);
}
