// audio.cpp -- Web Audio pulling the mixer: a script processor asks for
// blocks of samples on the page's own thread, between the game's frames.
// Browsers start sound only after a key or a click; the page resumes the
// context then.  Without Web Audio the game plays silently.
#include <emscripten.h>

#include <vector>

#include "services/platform/web/web.hpp"

namespace {

struct AudioState {
    platform::AudioPull pull = nullptr;
    std::vector<std::int16_t> block;
};

AudioState& State() {
    static AudioState state;
    return state;
}

constexpr int kBlockFrames = 2048;  // about 46 ms at 44100 Hz

// Returns the context's rate, or 0 when the browser has no Web Audio.
EM_JS(int, open_context, (int block_frames), {
    var Context = globalThis.AudioContext || globalThis.webkitAudioContext;
    if (!Context) return 0;
    try {
        var context = new Context({sampleRate : 44100});
        var node = context.createScriptProcessor(block_frames, 0, 2);
        node.onaudioprocess = function(e) {
            var left = e.outputBuffer.getChannelData(0), right = e.outputBuffer.getChannelData(1);
            var frames = left.length;
            var ptr = Module["_web_audio_pull"](frames);
            if (!ptr) {
                left.fill(0);
                right.fill(0);
                return;
            }
            var samples = new Int16Array(HEAPU8.buffer, ptr, frames * 2);
            for (var i = 0; i < frames; ++i) {
                left[i] = samples[2 * i] / 32768;
                right[i] = samples[2 * i + 1] / 32768;
            }
        };
        node.connect(context.destination);
        Module["bodgerAudio"] = {context : context, node : node};
        return context.sampleRate | 0;
    } catch (err) {
        return 0;
    }
});

EM_JS(void, close_context, (), {
    var audio = Module["bodgerAudio"];
    if (!audio) return;
    audio.node.disconnect();
    audio.context.close();
    Module["bodgerAudio"] = null;
});

}  // namespace

// Called by the page for each block: fills it from the mixer and returns
// where the interleaved samples are, or 0 when no sound is open.
extern "C" EMSCRIPTEN_KEEPALIVE std::int16_t* web_audio_pull(int frames) {
    AudioState& s = State();
    if (!s.pull || frames <= 0 || frames > 16384) return nullptr;
    s.block.resize(std::size_t(frames) * 2);
    s.pull(s.block.data(), frames);
    return s.block.data();
}

namespace platform {

int OpenAudio(AudioPull pull) {
    CloseAudio();
    if (!pull) return 0;
    const int rate = open_context(kBlockFrames);
    if (rate > 0) State().pull = pull;
    return rate;
}

void CloseAudio() {
    close_context();
    State().pull = nullptr;
}

}  // namespace platform
