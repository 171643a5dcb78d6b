// stream_test.cpp -- sounds decoded as they play, heard through the mixer and
// checked sample for sample against the same file decoded whole.
#include "services/audio/stream.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "services/audio/decode.hpp"
#include "services/audio/sound.hpp"
#include "tests/services/audio/ogg_pages.hpp"

namespace {

using V = std::vector<std::int16_t>;

const std::string kRoot = BODGER_SOURCE_DIR;

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Pulled in uneven pieces, some longer than the mixer's own chunk, so the
// decoding meets every kind of pull edge.
V Pull(int frames) {
    V out;
    for (int piece = 1; frames > 0; piece = piece * 3 + 17) {
        int n = std::min(piece, frames);
        V part(std::size_t(n) * 2, 12345);
        MixAudio(part.data(), n);
        out.insert(out.end(), part.begin(), part.end());
        frames -= n;
    }
    return out;
}

ChannelRef Start(const SoundRef& sound, float volume) {
    ChannelRef channel = Cue(sound);
    SetVolume(channel, volume);
    SetPaused(channel, false);
    return channel;
}

class StreamTest : public ::testing::Test {
   protected:
    void SetUp() override { Open(44100); }
    void TearDown() override { ResetAudio(); }
    static void Open(int rate) {
        ResetAudio();
        StartAudioAt(rate);
    }
    // What the device hears of one sound started at a volume, `frames` long.
    static V Hear(const SoundRef& sound, float volume, int frames) {
        ChannelRef channel = Start(sound, volume);
        return Pull(frames);
    }
    const std::string tone_ = ReadFile(kRoot + "/tests/services/audio/fixtures/tone.ogg");
    const std::string music_ = ReadFile(kRoot + "/data/thebodger.ogg");
};

TEST_F(StreamTest, LoopingToneSoundsAsTheWholeDecodeAtEveryDeviceRate) {
    // Half a second at 22050 Hz: three times round, across two loop joins.
    for (int rate : {44100, 48000, 22050, 8000}) {
        SCOPED_TRACE(rate);
        Open(rate);
        V whole = Hear(DecodeSound(tone_, SOUND_LOOP, "t"), 0.37f, 3 * rate / 2 + 100);
        Open(rate);
        SoundRef streamed = StreamSound(tone_, SOUND_LOOP, "t");
        ASSERT_TRUE(streamed);
        EXPECT_TRUE(streamed->samples.empty());
        EXPECT_EQ(Hear(streamed, 0.37f, 3 * rate / 2 + 100), whole);
    }
    // Played once, it ends on the same frame.
    Open(44100);
    V whole = Hear(DecodeSound(tone_, 0, "t"), 1.0f, 22049);
    Open(44100);
    ChannelRef once = Start(StreamSound(tone_, 0, "t"), 1.0f);
    EXPECT_EQ(Pull(22049), whole);
    EXPECT_TRUE(Playing(once));
    Pull(1);
    EXPECT_FALSE(Playing(once));
}

TEST_F(StreamTest, MusicStartStopAndRestartWhilePlayingMatchTheWholeDecode) {
    ASSERT_FALSE(music_.empty());
    SoundRef whole = DecodeSound(music_, SOUND_LOOP, "data\\thebodger.ogg");
    ASSERT_TRUE(whole);
    // A second start while the first plays on: the first is let go, not stopped.
    ChannelRef first = Start(whole, 1.0f);
    V expected = Pull(30000);
    ChannelRef second = Start(whole, 0.5f);
    first.reset();
    V both = Pull(20000);
    Stop(second);
    V after_stop = Pull(5000);
    expected.insert(expected.end(), both.begin(), both.end());
    expected.insert(expected.end(), after_stop.begin(), after_stop.end());

    Open(44100);
    SoundRef streamed = StreamSound(music_, SOUND_LOOP, "data\\thebodger.ogg");
    ASSERT_TRUE(streamed);
    EXPECT_EQ(streamed->rate, whole->rate);
    EXPECT_EQ(streamed->channels, whole->channels);
    EXPECT_EQ(streamed->path, "data\\thebodger.ogg");
    first = Start(streamed, 1.0f);
    EXPECT_TRUE(Playing(first));
    V heard = Pull(30000);
    second = Start(StreamSound(music_, SOUND_LOOP, "data\\thebodger.ogg"), 0.5f);
    first.reset();
    both = Pull(20000);
    EXPECT_TRUE(Playing(second));
    Stop(second);
    EXPECT_FALSE(Playing(second));
    after_stop = Pull(5000);
    heard.insert(heard.end(), both.begin(), both.end());
    heard.insert(heard.end(), after_stop.begin(), after_stop.end());
    EXPECT_EQ(heard, expected);
}

TEST_F(StreamTest, MusicLoopJoinMatchesTheWholeDecode) {
    SoundRef whole = DecodeSound(music_, SOUND_LOOP, "m");
    ASSERT_TRUE(whole);
    const int frames = whole->Frames();
    // Skip most of the track at 44.1 kHz by pulling it, then compare the join.
    Start(whole, 1.0f);
    Pull(frames - 3000);
    V expected = Pull(6000);
    Open(44100);
    ChannelRef channel = Start(StreamSound(music_, SOUND_LOOP, "m"), 1.0f);
    Pull(frames - 3000);
    EXPECT_EQ(Pull(6000), expected);
    EXPECT_TRUE(Playing(channel));
}

// Round the loop twice at other device rates: each time round the stream is
// decoded again from its first page, and must sound as the whole decode does.
TEST_F(StreamTest, MusicLoopsSampleForSampleAcrossTwoJoins) {
    SoundRef whole = DecodeSound(music_, SOUND_LOOP, "m");
    ASSERT_TRUE(whole);
    for (int rate : {48000, 22050}) {
        SCOPED_TRACE(rate);
        const int frames = int(std::int64_t(whole->Frames()) * rate / whole->rate);
        Open(rate);
        V expected = Hear(whole, 0.8f, 2 * frames + 5000);
        Open(rate);
        V heard = Hear(StreamSound(music_, SOUND_LOOP, "m"), 0.8f, 2 * frames + 5000);
        ASSERT_EQ(heard.size(), expected.size());
        EXPECT_TRUE(heard == expected);  // not printed: millions of samples
    }
}

// A track six times the music's length, made of its own pages, decoded as
// the mixer pulls it: the frames held stay as few as for the music itself,
// and the second time round starts with the same frames as the first.
TEST_F(StreamTest, ALongTrackIsDecodedInAFixedWindow) {
    auto most_held = [](const std::string& bytes, V& start, V& again) {
        auto stream = SoundStream::Open(bytes);
        EXPECT_TRUE(stream);
        if (!stream) return std::size_t(0);
        StreamCursor cursor(stream);
        std::size_t most = 0;
        std::size_t at = 0;
        for (; !cursor.Finished() || at < cursor.Length(); at += 1024) {
            cursor.Need(at, at + 1026);
            most = std::max(most, cursor.Capacity());
            if (at == 0) start.assign(cursor.Data(), cursor.Data() + 2048);
            EXPECT_FALSE(cursor.Damaged());
            EXPECT_LE(cursor.First(), at);
            if (cursor.Damaged() || cursor.First() > at) break;
        }
        EXPECT_GT(at, 1000000u);
        cursor.Need(0, 1026);  // round the loop
        EXPECT_EQ(cursor.First(), 0u);
        EXPECT_GE(cursor.End(), 1026u);
        again.assign(cursor.Data(), cursor.Data() + 2048);
        return most;
    };
    V start, again;
    const std::size_t music = most_held(music_, start, again);
    EXPECT_EQ(again, start);
    const std::string longer = ogg_pages::Repeated(music_, 6);
    const std::size_t long_track = most_held(longer, start, again);
    EXPECT_EQ(again, start);
    EXPECT_LE(long_track, music);
    EXPECT_LE(long_track, 2 * 4 * StreamCursor::kKeptFrames);
    // The repeated track plays through the mixer across its own loop too.
    Open(44100);
    ChannelRef channel = Start(StreamSound(longer, SOUND_LOOP, "m"), 1.0f);
    Pull(44100);
    EXPECT_TRUE(Playing(channel));
}

// Past the longest track played, a stream ends as at damage: the frames up to
// there are heard and it does not go round.
TEST_F(StreamTest, ATrackEndsAtTheLongestLength) {
    auto stream = SoundStream::Open(music_);
    ASSERT_TRUE(stream);
    StreamCursor whole(stream);
    StreamCursor cut(stream, 100000);
    for (std::size_t at = 0; at < 110000; at += 1000) {
        whole.Need(at, at + 1002);
        cut.Need(at, at + 1002);
        const std::size_t held = cut.End() > at ? std::min(cut.End(), at + 1002) - at : 0;
        ASSERT_GE(whole.End(), at + held);
        if (held > 0) {
            ASSERT_TRUE(std::equal(cut.Data() + 2 * (at - cut.First()),
                                   cut.Data() + 2 * (at + held - cut.First()),
                                   whole.Data() + 2 * (at - whole.First())));
        }
    }
    EXPECT_TRUE(cut.Finished());
    EXPECT_TRUE(cut.Damaged());
    EXPECT_EQ(cut.Length(), 100000u);
    EXPECT_FALSE(whole.Finished());
}

TEST_F(StreamTest, CutFilesGiveNoneAndLateDamageEndsTheTrackQuietly) {
    for (std::size_t length :
         {std::size_t(0), std::size_t(3), std::size_t(200), tone_.size() / 2, tone_.size() - 1}) {
        EXPECT_FALSE(StreamSound(tone_.substr(0, length), SOUND_LOOP, "t")) << length;
    }
    EXPECT_FALSE(TSound::Stream("data\\no such music.ogg", SOUND_LOOP));

    // A damaged page late in the file: what came before plays as in the
    // whole file, then silence, even though the track loops.
    V whole = Hear(DecodeSound(tone_, 0, "t"), 1.0f, 22050 * 2);
    std::string damaged = tone_;
    damaged[3700] ^= 0x5A;  // inside the fifth page of the eight, all audio
    ASSERT_FALSE(DecodeSound(damaged, 0, "t"));
    Open(44100);
    SoundRef streamed = StreamSound(damaged, SOUND_LOOP, "t");
    ASSERT_TRUE(streamed);
    ChannelRef channel = Start(streamed, 1.0f);
    V heard = Pull(22050 * 2);
    EXPECT_FALSE(Playing(channel));
    std::size_t good = heard.size();
    while (good > 0 && heard[good - 1] == 0) --good;
    EXPECT_GT(good, 2 * 2 * 3000u);  // the pages before the damaged one
    EXPECT_LT(good, whole.size());
    // The last good frame is held, not blended into the start.
    EXPECT_TRUE(std::equal(heard.begin(), heard.begin() + std::ptrdiff_t(good) - 2, whole.begin()));
    EXPECT_EQ(Pull(1000), V(2000, 0));
}

TEST_F(StreamTest, WaveFilesAndTheNullDriverAreAsWithAWholeLoad) {
    // A wave file is read directly even when asked to stream.
    std::string wave = std::string("RIFF") + std::string("\x2a\0\0\0", 4) + "WAVEfmt " +
                       std::string("\x10\0\0\0\1\0\1\0\x22\x56\0\0\x44\xac\0\0\2\0\x10\0", 20) +
                       "data" + std::string("\x06\0\0\0\1\0\2\0\3\0", 10);
    SoundRef sound = StreamSound(wave, 0, "w");
    ASSERT_TRUE(sound);
    EXPECT_FALSE(sound->stream);
    EXPECT_EQ(sound->samples, (V{1, 2, 3}));
    // No device: the stream is opened but never heard.
    Open(0);
    SoundRef streamed = StreamSound(music_, SOUND_LOOP, "m");
    ChannelRef channel = Start(streamed, 1.0f);
    EXPECT_TRUE(channel);
    Pull(5000);
    EXPECT_FALSE(Playing(channel));
}

}  // namespace
