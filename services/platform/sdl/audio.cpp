// audio.cpp -- the SDL audio device: 44100 Hz stereo 16-bit, fed by pulling
// mixed frames from the mixer on SDL's audio thread.
#include <SDL.h>

#include <atomic>

#include "services/platform/platform.hpp"

namespace {

struct AudioState {
    SDL_AudioDeviceID device = 0;
    std::atomic<platform::AudioPull> pull{nullptr};
};

AudioState& State() {
    static AudioState state;
    return state;
}

void Callback(void*, Uint8* stream, int bytes) {
    const int frames = bytes / int(2 * sizeof(std::int16_t));
    if (platform::AudioPull pull = State().pull.load()) {
        pull(reinterpret_cast<std::int16_t*>(stream), frames);
    } else {
        SDL_memset(stream, 0, std::size_t(bytes));
    }
}

}  // namespace

namespace platform {

int OpenAudio(AudioPull pull) {
    CloseAudio();
    if (!pull || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    AudioState& s = State();
    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = Callback;
    SDL_AudioSpec have{};
    s.pull.store(pull);
    // The rate and buffer size may differ from what was asked (some systems
    // halve the buffer); SDL converts format and channel count for us.
    s.device =
        SDL_OpenAudioDevice(nullptr, 0, &want, &have,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
    if (s.device == 0) {
        s.pull.store(nullptr);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    SDL_PauseAudioDevice(s.device, 0);
    return have.freq;
}

void CloseAudio() {
    AudioState& s = State();
    if (s.device == 0) return;
    SDL_CloseAudioDevice(s.device);  // waits for a running callback to end
    s.device = 0;
    s.pull.store(nullptr);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace platform
