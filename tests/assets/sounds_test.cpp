// The fourteen effects and the music, decoded by the game's own loader.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "services/audio/sound.hpp"

namespace {

const char* const kEffects[] = {"footstep", "button",  "oh_no", "pickup", "yeah",
                                "tnt",      "remote",  "brick", "da_oh",  "glassplate",
                                "complete", "hittrap", "uh_oh", "ughhhhh"};

// The loader reads paths relative to the working directory, as the game does.
class SoundFiles : public ::testing::Test {
   protected:
    void SetUp() override {
        char buf[4096];
        ASSERT_NE(getcwd(buf, sizeof buf), nullptr);
        old_dir_ = buf;
        ASSERT_EQ(chdir(BODGER_SOURCE_DIR), 0);
    }
    void TearDown() override { ASSERT_EQ(chdir(old_dir_.c_str()), 0); }
    std::string old_dir_;
};

double Seconds(const TSound& s) {
    return double(s.Frames()) / s.rate;
}

int Peak(const TSound& s) {
    int peak = 0;
    for (std::int16_t v : s.samples) peak = std::max(peak, std::abs(int(v)));
    return peak;
}

// Loudness of the loud part: RMS over 1024-frame blocks within 30 dB of the loudest block.
double Loudness(const TSound& s) {
    std::vector<double> blocks;
    for (std::size_t i = 0; i + 1024 <= s.samples.size(); i += 1024) {
        double sum = 0;
        for (std::size_t j = i; j < i + 1024; ++j) sum += double(s.samples[j]) * s.samples[j];
        blocks.push_back(std::sqrt(sum / 1024));
    }
    if (blocks.empty()) return 0;
    const double top = *std::max_element(blocks.begin(), blocks.end());
    double sum = 0;
    int n = 0;
    for (double b : blocks)
        if (b > top * 0.03) sum += b * b, ++n;
    return std::sqrt(sum / n);
}

TEST_F(SoundFiles, EffectsDecodeAsShortMonoClipsAt44100) {
    for (const char* name : kEffects) {
        SCOPED_TRACE(name);
        const SoundRef s = TSound::Load(std::string("data\\") + name + ".ogg", 0);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->rate, 44100);
        EXPECT_EQ(s->channels, 1);
        EXPECT_FALSE(s->loop);
        EXPECT_GT(Seconds(*s), 0.05);
        EXPECT_LT(Seconds(*s), 2.5);
    }
    // One footstep plays every 20 frames: it must be over well before the next.
    const SoundRef step = TSound::Load("data\\footstep.ogg", 0);
    ASSERT_NE(step, nullptr);
    EXPECT_LT(Seconds(*step), 0.15);
}

TEST_F(SoundFiles, EffectsArePeakLimitedAndEquallyLoud) {
    double quietest = 1e9, loudest = 0;
    for (const char* name : kEffects) {
        SCOPED_TRACE(name);
        const SoundRef s = TSound::Load(std::string("data\\") + name + ".ogg", 0);
        ASSERT_NE(s, nullptr);
        const int peak = Peak(*s);
        EXPECT_LT(peak, 32000) << "clipped";
        EXPECT_GT(peak, 8000) << "too quiet";
        quietest = std::min(quietest, Loudness(*s));
        loudest = std::max(loudest, Loudness(*s));
        // Each starts and ends on (near) silence, so it does not click.
        EXPECT_LT(std::abs(int(s->samples.front())), 400);
        EXPECT_LT(std::abs(int(s->samples.back())), 400);
    }
    EXPECT_LT(loudest / quietest, 2.5);
}

TEST_F(SoundFiles, MusicIsALoopOfHalfAMinuteToAMinuteThatJoinsWithoutAStep) {
    const SoundRef m = TSound::Load("data\\thebodger.ogg", SOUND_LOOP);
    ASSERT_NE(m, nullptr);
    EXPECT_TRUE(m->loop);
    EXPECT_EQ(m->rate, 44100);
    EXPECT_GE(Seconds(*m), 30.0);
    EXPECT_LE(Seconds(*m), 60.0);
    EXPECT_LT(Peak(*m), 32000);
    const int ch = m->channels;
    ASSERT_GE(ch, 1);
    const std::size_t frames = std::size_t(m->Frames());
    for (int c = 0; c < ch; ++c) {
        SCOPED_TRACE(c);
        // The step across the join is no bigger than the steps inside the tune.
        std::vector<int> steps;
        for (std::size_t i = 1; i < frames; ++i)
            steps.push_back(std::abs(m->samples[i * ch + c] - m->samples[(i - 1) * ch + c]));
        std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
        const int p99 = steps[steps.size() * 99 / 100];
        const int join = std::abs(m->samples[c] - m->samples[(frames - 1) * ch + c]);
        EXPECT_LE(join, p99) << "a click where the loop joins";
        // No gap either: the tune is sounding on both sides of the join.
        double head = 0, tail = 0;
        const std::size_t n = 2205;  // 50 ms
        for (std::size_t i = 0; i < n; ++i) {
            head += std::abs(m->samples[i * ch + c]);
            tail += std::abs(m->samples[(frames - 1 - i) * ch + c]);
        }
        EXPECT_GT(head / n, 300) << "silence at the start of the loop";
        EXPECT_GT(tail / n, 300) << "silence at the end of the loop";
    }
}

}  // namespace
