// alloc_failure_test.cpp -- running out of memory while a sound loads or
// while the mixer decodes the music: the sound is missing or ends, as a
// damaged file would, and nothing escapes to end the program.  This binary's
// own allocator can be told to fail the nth allocation from now, or every one
// above a size.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "services/audio/decode.hpp"
#include "services/audio/sound.hpp"
#include "tests/services/audio/ogg_pages.hpp"

namespace {

std::atomic<long> g_fail_in{-1};  // allocations left before one fails; -1: none fails
std::atomic<std::size_t> g_fail_above{SIZE_MAX};
std::atomic<long> g_failed{0};

void* Allocate(std::size_t size) {
    bool fail = size > g_fail_above.load();
    if (g_fail_in.load() >= 0 && g_fail_in.fetch_sub(1) == 0) fail = true;
    void* memory = fail ? nullptr : std::malloc(size ? size : 1);
    if (!memory) {
        ++g_failed;
        throw std::bad_alloc();
    }
    return memory;
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

namespace {

using V = std::vector<std::int16_t>;

const std::string kRoot = BODGER_SOURCE_DIR;

// Fails allocations while alive.
struct Failing {
    explicit Failing(long nth, std::size_t above = SIZE_MAX) {
        g_failed = 0;
        g_fail_above = above;
        g_fail_in = nth;
    }
    ~Failing() {
        g_fail_in = -1;
        g_fail_above = SIZE_MAX;
    }
};

class AllocFailureTest : public ::testing::Test {
   protected:
    void SetUp() override {
        ResetAudio();
        StartAudioAt(44100);
    }
    void TearDown() override { ResetAudio(); }
    // The mix of `frames` frames into out, allocating nothing here.
    static void Mix(V& out, int frames) {
        out.assign(std::size_t(frames) * 2, 0);
        MixAudio(out.data(), frames);
    }
    const std::string tone_ =
        ogg_pages::ReadFile(kRoot + "/tests/services/audio/fixtures/tone.ogg");
    const std::string music_ = ogg_pages::ReadFile(kRoot + "/data/thebodger.ogg");
};

TEST_F(AllocFailureTest, AnyAllocationFailingWhileLoadingLeavesTheSoundMissing) {
    const SoundRef good = DecodeSound(tone_, 0, "t");
    ASSERT_TRUE(good);
    const std::string path = kRoot + "/tests/services/audio/fixtures/tone.ogg";
    // Each allocation of each load fails in turn, until one load gets through.
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        long nth = 0;
        for (;; ++nth) {
            ASSERT_LT(nth, 1000);
            SoundRef sound;
            std::string bytes = tone_;  // the caller's copy is not the loader's
            {
                Failing failing(nth);
                sound = way == 0   ? DecodeSound(tone_, 0, "t")
                        : way == 1 ? TSound::Load(path, 0)
                                   : StreamSound(std::move(bytes), SOUND_LOOP, "t");
            }
            if (g_failed == 0) {
                ASSERT_TRUE(sound);
                break;
            }
            EXPECT_FALSE(sound) << "allocation " << nth;
        }
        EXPECT_GT(nth, 0);
        if (way < 2) {
            EXPECT_EQ(TSound::Load(path, 0)->samples, good->samples);
        }
    }
}

TEST_F(AllocFailureTest, AnyAllocationFailingWhileTheMixerDecodesEndsTheMusicThere) {
    V expected;
    {
        ChannelRef channel = Cue(DecodeSound(tone_, SOUND_LOOP, "t"));
        SetPaused(channel, false);
        Mix(expected, 30000);  // round the half-second loop
    }
    long nth = 0;
    V heard;
    for (;; ++nth) {
        ASSERT_LT(nth, 1000);
        ResetAudio();
        StartAudioAt(44100);
        ChannelRef channel = Cue(StreamSound(tone_, SOUND_LOOP, "t"));
        SetPaused(channel, false);
        heard.assign(expected.size(), 1);
        {
            Failing failing(nth);
            MixAudio(heard.data(), 30000);
        }
        if (g_failed == 0) break;
        // What was heard is the music up to where it stopped, its last frame
        // held rather than joined to the first, then silence.
        std::size_t same = 0;
        while (same < heard.size() && heard[same] == expected[same]) ++same;
        same = std::min(heard.size(), same + 8);
        EXPECT_TRUE(std::all_of(heard.begin() + std::ptrdiff_t(same), heard.end(),
                                [](std::int16_t s) { return s == 0; }))
            << "allocation " << nth;
        EXPECT_FALSE(Playing(channel));
    }
    EXPECT_GT(nth, 0);
    EXPECT_EQ(heard, expected);
}

// As under an address limit: nothing larger than 1 MiB can be had.  The music
// cannot be decoded whole, but streamed it plays as the whole decode does.
TEST_F(AllocFailureTest, TheMusicStreamsWhereItCannotBeDecodedWhole) {
    const SoundRef whole = DecodeSound(music_, SOUND_LOOP, "m");
    ASSERT_TRUE(whole);
    V expected;
    {
        ChannelRef channel = Cue(whole);
        SetPaused(channel, false);
        Mix(expected, 100000);
    }
    ResetAudio();
    StartAudioAt(44100);
    V heard(expected.size());
    {
        Failing failing(-1, std::size_t(1) << 20);
        EXPECT_FALSE(DecodeSound(music_, SOUND_LOOP, "m"));
        EXPECT_GT(g_failed, 0);
        ChannelRef channel = Cue(StreamSound(music_, SOUND_LOOP, "m"));
        SetPaused(channel, false);
        for (int at = 0; at < 100000; at += 1000) MixAudio(heard.data() + 2 * at, 1000);
        EXPECT_TRUE(Playing(channel));
    }
    EXPECT_TRUE(heard == expected);
}

}  // namespace
