// mixer_rates_test.cpp -- sounds at any rate against any device rate: the mix
// stays inside the sound's samples, and its end and loop join fall exactly
// where the 32.32 step puts them.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "services/audio/sound.hpp"
#include "services/audio/voice.hpp"

namespace {

using V = std::vector<std::int16_t>;

// The samples are built to their exact length, so a read past the last
// frame lands outside the allocation (the sanitizer build reports it).
SoundRef MakeSound(int rate, int channels, bool loop, int frames) {
    auto sound = std::make_shared<TSound>();
    sound->rate = rate;
    sound->channels = channels;
    sound->loop = loop;
    V samples(std::size_t(frames) * std::size_t(channels));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = std::int16_t((i % 2 ? -1 : 1) * std::int32_t(1000 + 997 * i % 30000));
    }
    samples.shrink_to_fit();
    sound->samples = std::move(samples);
    return sound;
}

// What the device should hear, worked out frame by frame: output frame n sits
// at n x step in the sound (wrapped by its length when looping), blends its
// frame into the next with a 15-bit fraction, and the last frame blends into
// the first when looping or is held otherwise.
V Expected(const TSound& sound, int device_rate, int frames) {
    const std::uint64_t step = StepFor(sound.rate, device_rate);
    const std::uint64_t end = std::uint64_t(sound.Frames()) << 32;
    const std::size_t width = std::size_t(sound.channels), count = std::size_t(sound.Frames());
    V out(std::size_t(frames) * 2, 0);
    std::uint64_t position = 0;
    for (int n = 0; n < frames; ++n, position += step) {
        if (position >= end) {
            if (!sound.loop) break;
            position %= end;
        }
        std::size_t at = std::size_t(position >> 32);
        std::size_t next = at + 1 < count ? at + 1 : sound.loop ? 0 : at;
        std::int32_t fraction = std::int32_t(position >> 17) & 0x7FFF;
        for (std::size_t side = 0; side < 2; ++side) {
            std::size_t column = side * (width - 1);
            std::int32_t from = sound.samples[at * width + column];
            std::int32_t to = sound.samples[next * width + column];
            out[std::size_t(n) * 2 + side] = std::int16_t(from + (((to - from) * fraction) >> 15));
        }
    }
    return out;
}

// Output frames until a sound that does not loop ends: every n with
// n x step before its end.
std::uint64_t FramesToEnd(const TSound& sound, int device_rate) {
    const std::uint64_t step = StepFor(sound.rate, device_rate);
    return ((std::uint64_t(sound.Frames()) << 32) + step - 1) / step;
}

V Pull(int frames) {
    V out(std::size_t(frames) * 2, 12345);
    MixAudio(out.data(), frames);
    return out;
}

ChannelRef Start(const SoundRef& sound) {
    ChannelRef channel = Cue(sound);
    SetPaused(channel, false);
    return channel;
}

class MixerRatesTest : public ::testing::Test {
   protected:
    void Open(int device_rate) {
        ResetAudio();
        StartAudioAt(device_rate);
    }
    void TearDown() override { ResetAudio(); }
};

TEST_F(MixerRatesTest, FasterSoundsEndAndWrapWithoutReadingPastTheirLastFrame) {
    // Four source frames per device frame over ten frames: 0, 4, 8, then the end.
    Open(44100);
    SoundRef once = MakeSound(4 * 44100, 1, false, 10);
    ChannelRef channel = Start(once);
    V heard = Pull(3);
    EXPECT_FALSE(Playing(channel));  // ended in the pull that mixed its last frame
    EXPECT_EQ(heard, Expected(*once, 44100, 3));
    EXPECT_EQ(Pull(2), (V{0, 0, 0, 0}));

    // Looping, the same steps go 0, 4, 8, 2, 6, 0, ...
    SoundRef loop = MakeSound(4 * 44100, 2, true, 10);
    channel = Start(loop);
    EXPECT_EQ(Pull(9), Expected(*loop, 44100, 9));
    EXPECT_TRUE(Playing(channel));

    // A step longer than the whole sound wraps several times in one frame.
    SoundRef tiny = MakeSound(1000000, 1, true, 3);
    Open(8000);
    channel = Start(tiny);
    EXPECT_EQ(Pull(50), Expected(*tiny, 8000, 50));
}

TEST_F(MixerRatesTest, EveryRateRatioMatchesTheFrameByFrameModel) {
    const int sources[] = {1, 7, 8000, 22050, 44100, 48000, 96000, 192000, 1000000};
    const int devices[] = {1, 8000, 44100, 48000, 1000000};
    const int lengths[] = {1, 2, 3, 10, 1500};
    for (int device : devices) {
        for (int source : sources) {
            for (int channels : {1, 2}) {
                for (bool loop : {false, true}) {
                    for (int length : lengths) {
                        SCOPED_TRACE(testing::Message()
                                     << source << " Hz into " << device << " Hz, " << channels
                                     << " channel(s), " << length << " frames"
                                     << (loop ? ", looping" : ""));
                        SoundRef sound = MakeSound(source, channels, loop, length);
                        Open(device);
                        ChannelRef channel = Start(sound);
                        // Pulled in uneven pieces, so runs and the end meet pull edges.
                        const std::uint64_t to_end = FramesToEnd(*sound, device);
                        const int total = loop || to_end > 3000 ? 3000 : int(to_end) + 3;
                        V heard;
                        for (int done = 0, piece = 1; done < total; done += piece, piece += 7) {
                            if (piece > total - done) piece = total - done;
                            V part = Pull(piece);
                            heard.insert(heard.end(), part.begin(), part.end());
                        }
                        ASSERT_EQ(heard, Expected(*sound, device, total));
                        if (!loop && to_end <= 3000) {
                            EXPECT_FALSE(Playing(channel));
                            // Restarted, it plays until the pull that mixes its last frame.
                            channel = Start(sound);
                            Pull(int(to_end) - 1);
                            EXPECT_TRUE(Playing(channel));
                            Pull(1);
                            EXPECT_FALSE(Playing(channel));
                        } else {
                            EXPECT_TRUE(Playing(channel));
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
