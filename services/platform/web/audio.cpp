// audio.cpp -- Web Audio pulling the mixer.  An AudioWorklet plays blocks of
// samples the page's thread mixes on request (handed over by message, so no
// shared memory is needed); where a browser has no AudioWorklet (an older
// one, or a page not served securely) a script processor asks for them
// instead.  Either way the mixer runs on the page's thread, between the
// game's frames.  Browsers start sound only after a key, click or touch; the
// page resumes the context then.  Without Web Audio the game plays silently.
//
// One context serves every game of a visit: "Play again" starts the next
// game without a new gesture, and the context started by the first one plays
// on.  Between games it plays silence.
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

constexpr int kBlockFrames = 1024;  // about 23 ms at 44100 Hz

// Returns the context's rate, or 0 when the browser has no Web Audio.
// clang-format off
EM_JS(int, open_context, (int block_frames), {
    var audio = Module["bodgerAudio"];
    if (!audio) {
        var Context = globalThis.AudioContext || globalThis.webkitAudioContext;
        if (!Context) return 0;
        var context;
        try {
            context = new Context({sampleRate : 44100});
        } catch (err) {
            return 0;
        }
        // kind: "worklet" or "script" once playing; played and loud count
        // the sample frames played and those not silent, for the page test.
        audio = Module["bodgerAudio"] = {context : context, node : null, kind : "",
                                         live : false, played : 0, loud : 0};
        // One block of interleaved stereo floats from the mixer, or null.
        audio.mix = function(frames) {
            if (!audio.live) return null;
            var ptr = Module["_web_audio_pull"](frames);
            if (!ptr) return null;
            var samples = new Int16Array(HEAPU8.buffer, ptr, frames * 2);
            var block = new Float32Array(frames * 2);
            for (var i = 0; i < frames * 2; ++i) block[i] = samples[i] / 32768;
            return block;
        };
        function scriptProcessor() {
            var node = context.createScriptProcessor(block_frames * 2, 0, 2);
            node.onaudioprocess = function(e) {
                var left = e.outputBuffer.getChannelData(0);
                var right = e.outputBuffer.getChannelData(1);
                var block = audio.mix(left.length);
                for (var i = 0; i < left.length; ++i) {
                    left[i] = block ? block[2 * i] : 0;
                    right[i] = block ? block[2 * i + 1] : 0;
                    if (left[i] || right[i]) audio.loud++;
                }
                audio.played += left.length;
            };
            node.connect(context.destination);
            audio.node = node;
            audio.kind = "script";
        }
        if (context.audioWorklet && typeof AudioWorkletNode === "function") {
            context.audioWorklet.addModule("audio_worklet.js").then(function() {
                var node = new AudioWorkletNode(context, "bodger-mixer", {
                    numberOfInputs : 0, numberOfOutputs : 1, outputChannelCount : [2],
                    processorOptions : {blockFrames : block_frames}});
                node.port.onmessage = function(e) {
                    audio.played = e.data.played;
                    audio.loud = e.data.loud;
                    var block = audio.mix(e.data.frames);
                    if (block) node.port.postMessage(block, [block.buffer]);
                    else node.port.postMessage(null);
                };
                node.connect(context.destination);
                audio.node = node;
                audio.kind = "worklet";
            }).catch(function(err) {
                console.warn("Bodger 2010: no audio worklet, an older way plays the sound: " + err);
                scriptProcessor();
            });
        } else {
            scriptProcessor();
        }
    }
    audio.live = true;
    return audio.context.sampleRate | 0;
});
// clang-format on

EM_JS(void, close_context, (), {
    if (Module["bodgerAudio"]) Module["bodgerAudio"].live = false;
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
