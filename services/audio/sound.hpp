// sound.hpp -- sounds and channels.  Sounds are decoded completely at load,
// except the music, which is decoded as it plays.  A channel is a handle on
// one playing instance in the mixer.  Dropping the last reference to a
// channel gives its handle back without stopping the sound, which plays on
// to its end (a looping one for ever).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum : int { SOUND_LOOP = 1 };

class SoundStream;

struct TSound {
    // Ogg Vorbis or RIFF WAVE PCM (8/16-bit, mono/stereo, any rate) from a
    // path relative to the working directory; none when missing or undecodable.
    static std::shared_ptr<TSound> Load(const std::string& path, int flags);
    // As Load, but an Ogg Vorbis file is decoded by the mixer as it plays
    // instead of all at once, so starting the long music track costs no
    // decode.  Damage found while playing ends the sound there.
    static std::shared_ptr<TSound> Stream(const std::string& path, int flags);

    int rate = 0;      // frames per second
    int channels = 0;  // 1 mono, 2 stereo
    bool loop = false;
    std::string path;                   // as given to Load (the runner logs its base name)
    std::vector<std::int16_t> samples;  // interleaved 16-bit PCM; empty when streamed
    std::shared_ptr<SoundStream> stream = nullptr;  // a streamed sound's pages, decoded as it plays
    int Frames() const { return channels ? int(samples.size()) / channels : 0; }
};
using SoundRef = std::shared_ptr<TSound>;

struct TChannel;
using ChannelRef = std::shared_ptr<TChannel>;

ChannelRef Cue(const SoundRef& sound);  // a fresh channel playing the sound, paused; none if full
ChannelRef AllocChannel();              // a fresh idle channel; none if all 4096 slots are taken
void SetVolume(const ChannelRef& channel, float volume);  // held as volume x 4096, 16 bits
void SetPaused(const ChannelRef& channel, bool paused);
void Stop(const ChannelRef& channel);
bool Playing(const ChannelRef& channel);  // active and not paused
// Every call with a none sound or channel does nothing (Playing gives false).

// The mixer, above the seam.
void StartAudio();  // opens the device through the seam; the Null driver if none
// As StartAudio, with a device of that rate (frames per second; 0: the Null
// driver) taken as already open and pulling through MixAudio: tests, benchmarks.
void StartAudioAt(int rate);
bool AudioIsNull();  // true when no device opened: nothing plays
int MixerRate();     // output rate of the open device (44100 for the Null driver)
void MixAudio(std::int16_t* stereo, int frames);  // pulls mixed frames (the seam calls it)
int ActiveVoices();                               // instances currently playing or paused
void ResetAudio();                                // stops everything, frees all slots
// Called on the game's thread when a cued channel is unpaused for the first time.
void SetSoundStartHook(void (*hook)(const TSound& sound));
