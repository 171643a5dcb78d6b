// mixer_test.cpp -- channels and the mix, pulled straight from MixAudio with
// tiny sounds built here, on a device taken as open at 44100 frames a second.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "services/audio/channel.hpp"
#include "services/audio/sound.hpp"
#include "services/platform/headless/headless.hpp"
#include "services/platform/platform.hpp"

namespace {

constexpr int kRate = 44100;

SoundRef MakeSound(std::vector<std::int16_t> samples, int channels = 1, bool loop = false,
                   int rate = kRate) {
    auto sound = std::make_shared<TSound>();
    sound->rate = rate;
    sound->channels = channels;
    sound->loop = loop;
    sound->path = "data\\test.wav";
    sound->samples = std::move(samples);
    return sound;
}

// Interleaved left, right.
std::vector<std::int16_t> Pull(int frames) {
    std::vector<std::int16_t> out(std::size_t(frames) * 2, 12345);
    MixAudio(out.data(), frames);
    return out;
}

std::vector<std::int16_t> Lefts(const std::vector<std::int16_t>& stereo) {
    std::vector<std::int16_t> left;
    for (std::size_t i = 0; i < stereo.size(); i += 2) left.push_back(stereo[i]);
    return left;
}

ChannelRef Start(const SoundRef& sound, float volume = 1.0f) {
    ChannelRef channel = Cue(sound);
    SetVolume(channel, volume);
    SetPaused(channel, false);
    return channel;
}

class MixerTest : public ::testing::Test {
   protected:
    void SetUp() override {
        ResetAudio();
        StartAudioAt(kRate);
    }
    void TearDown() override { ResetAudio(); }
};

using V = std::vector<std::int16_t>;

TEST_F(MixerTest, GainIsVolumeTimes4096ClampedAndTheMixSaturates) {
    SoundRef sound = MakeSound({10000, -10000, 32767, -3}, 1, true);
    ChannelRef channel = Start(sound, 0.3f);  // gain 1228; the shift rounds down
    EXPECT_EQ(Lefts(Pull(4)), (V{2998, -2999, 9823, -1}));
    SetVolume(channel, -1.0f);  // a negative volume inverts
    EXPECT_EQ(Lefts(Pull(2)), (V{-10000, 10000}));
    Stop(channel);
    SoundRef steps = MakeSound({4096, -4096, 100}, 1, true);
    ChannelRef up = Start(steps, 100.0f), also = Start(steps, 100.0f);  // gain clamped to 32767
    EXPECT_EQ(Lefts(Pull(3)), (V{32767, -32768, 1598}));                // and the sum to 16 bits
    SetVolume(up, std::nanf(""));
    SetVolume(also, -100.0f);  // gain -32768
    EXPECT_EQ(Lefts(Pull(3)), (V{-32768, 32767, -800}));
}

TEST_F(MixerTest, MonoFeedsBothSidesAndLowerRatesAreInterpolated) {
    ChannelRef mono = Start(MakeSound({100, 200}));
    ChannelRef stereo = Start(MakeSound({1, -1, 2, -2}, 2));
    EXPECT_EQ(Pull(3), (V{101, 99, 202, 198, 0, 0}));
    // Two device frames per source frame; the last frame is held, then ends.
    ChannelRef half = Start(MakeSound({0, 1000, 2000}, 1, false, kRate / 2));
    EXPECT_EQ(Lefts(Pull(8)), (V{0, 500, 1000, 1500, 2000, 2000, 0, 0}));
    EXPECT_FALSE(Playing(half));
}

TEST_F(MixerTest, LoopingSoundWrapsToItsStart) {
    ChannelRef channel = Start(MakeSound({1, 2, 3}, 1, true));
    EXPECT_EQ(Lefts(Pull(7)), (V{1, 2, 3, 1, 2, 3, 1}));
    EXPECT_EQ(Lefts(Pull(2)), (V{2, 3}));
    EXPECT_TRUE(Playing(channel));
    Stop(channel);
    EXPECT_FALSE(Playing(channel));
    EXPECT_EQ(ActiveVoices(), 0);
    // Resampled, the loop blends its last frame into its first.
    ChannelRef slow = Start(MakeSound({0, 1000}, 1, true, kRate / 2));
    EXPECT_EQ(Lefts(Pull(5)), (V{0, 500, 1000, 500, 0}));
}

TEST_F(MixerTest, CuedChannelIsSilentUntilResumedAndPauseHoldsItsPlace) {
    ChannelRef channel = Cue(MakeSound({1, 2, 3, 4}));
    ASSERT_TRUE(channel);
    EXPECT_FALSE(Playing(channel));
    EXPECT_EQ(ActiveVoices(), 1);
    EXPECT_EQ(Lefts(Pull(2)), (V{0, 0}));
    SetPaused(channel, false);
    EXPECT_TRUE(Playing(channel));
    EXPECT_EQ(Lefts(Pull(2)), (V{1, 2}));
    SetPaused(channel, true);
    EXPECT_FALSE(Playing(channel));
    EXPECT_EQ(Lefts(Pull(2)), (V{0, 0}));
    SetPaused(channel, false);
    EXPECT_EQ(Lefts(Pull(3)), (V{3, 4, 0}));
    EXPECT_FALSE(Playing(channel));  // ended, and it does not come back
    SetPaused(channel, false);
    EXPECT_FALSE(Playing(channel));
    EXPECT_EQ(ActiveVoices(), 0);
}

TEST_F(MixerTest, DroppedChannelsPlayOnButADroppedPausedOneEnds) {
    Start(MakeSound({1, 2, 3}));
    Start(MakeSound({10, 20}, 1, true));
    Cue(MakeSound({5, 5}));  // never resumed: nothing could ever resume it
    EXPECT_EQ(ActiveVoices(), 2);
    EXPECT_EQ(Lefts(Pull(4)), (V{11, 22, 13, 20}));
    EXPECT_EQ(ActiveVoices(), 1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Lefts(Pull(2)), (V{10, 20}));
    ResetAudio();
    StartAudioAt(kRate);
    EXPECT_EQ(ActiveVoices(), 0);
    EXPECT_EQ(Lefts(Pull(1)), (V{0}));
}

TEST_F(MixerTest, StaleHandleDoesNotControlTheSlotOnceReused) {
    std::vector<ChannelRef> all;
    for (int i = 0; i < 4096; ++i) all.push_back(AllocChannel());
    ASSERT_TRUE(all.back());
    const std::uint32_t old = all[7]->handle;
    all[7].reset();
    all[7] = Start(MakeSound({9, 9}, 1, true));  // the only free slot is the one let go
    ASSERT_TRUE(all[7]);
    EXPECT_EQ(all[7]->handle - old, 4096u);

    auto stale = std::make_shared<TChannel>(old);
    SetVolume(stale, 0.0f);
    SetPaused(stale, true);
    EXPECT_FALSE(Playing(stale));
    Stop(stale);
    stale.reset();  // giving a stale handle back leaves the slot's owner alone
    EXPECT_TRUE(Playing(all[7]));
    EXPECT_EQ(Lefts(Pull(1)), (V{9}));

    // Channels kept across a reset are stale too.
    ChannelRef before = all[7];
    all.clear();
    ResetAudio();
    StartAudioAt(kRate);
    for (int i = 0; i < 8; ++i) all.push_back(Start(MakeSound({4}, 1, true)));
    ASSERT_EQ(all[7]->handle & 4095, before->handle & 4095);
    Stop(before);
    before.reset();
    EXPECT_TRUE(Playing(all[7]));
}

TEST_F(MixerTest, AllSlotsTakenGivesNoneAndNoneChannelsDoNothing) {
    SoundRef sound = MakeSound({1, 1}, 1, true);
    std::vector<ChannelRef> all;
    for (int i = 0; i < 4095; ++i) all.push_back(AllocChannel());
    all.push_back(Start(sound));
    ASSERT_TRUE(all.back());
    EXPECT_EQ(AllocChannel(), nullptr);
    ChannelRef none = Cue(sound);
    EXPECT_EQ(none, nullptr);
    SetVolume(none, 1.0f);
    SetPaused(none, false);
    Stop(none);
    EXPECT_FALSE(Playing(none));
    // A dropped voice still holds its slot while it sounds; an idle one does not.
    all.back().reset();
    EXPECT_EQ(Cue(sound), nullptr);
    all.front().reset();
    EXPECT_NE(AllocChannel(), nullptr);
}

TEST_F(MixerTest, NoneOrUnplayableSoundGivesNoChannelAndIdleChannelsNeverPlay) {
    EXPECT_EQ(Cue(nullptr), nullptr);
    EXPECT_EQ(Cue(MakeSound({})), nullptr);
    EXPECT_EQ(Cue(MakeSound({1, 2, 3}, 2)), nullptr);  // half a stereo frame
    EXPECT_EQ(Cue(MakeSound({1}, 3)), nullptr);
    EXPECT_EQ(Cue(MakeSound({1}, 1, false, 0)), nullptr);
    ChannelRef idle = AllocChannel();
    ASSERT_TRUE(idle);
    SetPaused(idle, false);
    EXPECT_FALSE(Playing(idle));
    EXPECT_EQ(ActiveVoices(), 0);
}

std::vector<std::string> g_started;
void RecordStart(const TSound& sound) {
    g_started.push_back(sound.path);
}

TEST_F(MixerTest, StartHookHearsEachCuedSoundOnceWhenFirstResumed) {
    g_started.clear();
    SetSoundStartHook(&RecordStart);
    SoundRef sound = MakeSound({1}, 1, true);
    ChannelRef channel = Cue(sound);
    SetPaused(channel, true);
    EXPECT_TRUE(g_started.empty());
    SetPaused(channel, false);
    SetPaused(channel, true);
    SetPaused(channel, false);
    Start(sound);
    AllocChannel();
    EXPECT_EQ(g_started, (std::vector<std::string>{"data\\test.wav", "data\\test.wav"}));
    ResetAudio();  // forgets the hook
    StartAudioAt(kRate);
    Start(sound);
    EXPECT_EQ(g_started.size(), 2u);
}

TEST(DriverTest, NullDriverHandsOutChannelsButNothingSounds) {
    ResetAudio();
    StartAudioAt(0);
    EXPECT_TRUE(AudioIsNull());
    EXPECT_EQ(MixerRate(), 44100);
    SoundRef sound = MakeSound({1000, 1000}, 1, true);
    // Dropped effects do not pile up in the slots when nothing ever ends them.
    for (int i = 0; i < 5000; ++i) ASSERT_TRUE(Start(sound));
    ChannelRef channel = Start(sound);
    EXPECT_FALSE(Playing(channel));
    EXPECT_EQ(ActiveVoices(), 0);
    EXPECT_EQ(Pull(2), (V{0, 0, 0, 0}));
    ResetAudio();
}

TEST(DriverTest, FirstAudioCallOpensTheDeviceAndTheDevicePullsTheMix) {
    ResetAudio();
    headless::Reset();
    ASSERT_TRUE(AllocChannel());
    EXPECT_FALSE(AudioIsNull());
    ASSERT_GT(MixerRate(), 0);
    // A 20 ms sound ends after two presents in step with the 60 Hz blank.
    ChannelRef channel =
        Start(MakeSound(V(std::size_t(MixerRate() / 50), 1), 1, false, MixerRate()));
    platform::Present(nullptr, 0, 0, 1);
    EXPECT_TRUE(Playing(channel));
    platform::Present(nullptr, 0, 0, 1);
    EXPECT_FALSE(Playing(channel));
    ResetAudio();
}

}  // namespace
