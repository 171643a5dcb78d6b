// hostile_test.cpp -- the game's own sounds made hostile: junk after the last
// page, a last page claiming a huge length, under an address-space limit.
// Each loads as the sound it really holds, or is refused as a damaged file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "services/audio/decode.hpp"
#include "services/audio/sound.hpp"
#include "services/audio/stream.hpp"
#include "services/audio/vorbis.hpp"
#include "tests/services/audio/ogg_pages.hpp"

namespace {

using ogg_pages::ReadFile;
using V = std::vector<std::int16_t>;

const std::string kData = std::string(BODGER_SOURCE_DIR) + "/data/";
const char* const kEffects[] = {"footstep", "button",  "oh_no", "pickup", "yeah",
                                "tnt",      "remote",  "brick", "da_oh",  "glassplate",
                                "complete", "hittrap", "uh_oh", "ughhhhh"};

// What the decoder made of the bytes, and how much of them it was handed.
struct Decoded {
    bool ok = false;
    V samples;
    std::uint64_t read = 0;
};

Decoded Decode(const std::string& bytes) {
    Decoded out;
    VorbisReader reader;
    if (!reader.Open(bytes)) {
        out.read = reader.BytesRead();
        return out;
    }
    long got;
    while ((got = reader.Next(out.samples)) > 0) {
    }
    out.ok = got == 0;
    out.read = reader.BytesRead();
    return out;
}

TEST(HostileSoundTest, JunkAfterAnySoundIsNeverHandedToTheDecoder) {
    std::string noise(100000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = char(i * 7919 % 251);
    std::vector<std::string> names(std::begin(kEffects), std::end(kEffects));
    names.push_back("thebodger");
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadFile(kData + name + ".ogg");
        const Decoded clean = Decode(bytes);
        ASSERT_TRUE(clean.ok);
        // The open looks at the end once and the decode reads each page once.
        EXPECT_LE(clean.read, 3 * bytes.size());
        for (const std::string& junk : {std::string(1, 'x'), std::string(1 << 17, '\0'), noise}) {
            const Decoded padded = Decode(bytes + junk);
            ASSERT_TRUE(padded.ok) << junk.size();
            EXPECT_EQ(padded.samples, clean.samples);
            EXPECT_EQ(padded.read, clean.read);
        }
    }
    // Far more junk than sound costs nothing more either.
    const std::string step = ReadFile(kData + "footstep.ogg");
    const Decoded padded = Decode(step + std::string(std::size_t(64) << 20, '\0'));
    EXPECT_TRUE(padded.ok);
    EXPECT_EQ(padded.read, Decode(step).read);
    SoundRef sound = DecodeSound(step + noise, 0, "s");
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples, Decode(step).samples);
}

// A sound padded to the largest file read loads as itself, the padding only
// read; one byte more and the file is refused unread, as it always was.
TEST(HostileSoundTest, PaddingToTheReadLimitLoadsAndPastItIsRefused) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("audio_padded_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string step = ReadFile(kData + "footstep.ogg");
    const auto path = dir / "footstep.ogg";
    std::ofstream(path, std::ios::binary) << step;
    std::filesystem::resize_file(path, kLargestSoundFile);  // a hole: no disk written
    const SoundRef padded = TSound::Load(path.string(), 0);
    const SoundRef streamed = TSound::Stream(path.string(), SOUND_LOOP);
    std::filesystem::resize_file(path, kLargestSoundFile + 1);
    const SoundRef over = TSound::Load(path.string(), 0);
    std::filesystem::remove_all(dir);
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->samples, Decode(step).samples);
    ASSERT_TRUE(streamed);
    EXPECT_EQ(streamed->stream->Bytes().size(), step.size());  // the padding is not kept
    EXPECT_FALSE(over);
}

// Junk made of whole pages that fail their checksums is part of the stream
// as far as the page walk can tell, and the decoder searches back through it
// for the last good page.  That search may read only so much: the file is
// refused as damaged, or plays as its good pages, having cost its reading.
TEST(HostileSoundTest, PagesFailingTheirChecksumsCostOnlyAFewReadings) {
    const std::string step = ReadFile(kData + "footstep.ogg");
    const Decoded clean = Decode(step);
    const std::vector<ogg_pages::Page> pages = ogg_pages::Pages(step);
    std::string bad = step.substr(pages.back().at, pages.back().length);
    bad[22] ^= 1;  // its checksum
    for (std::size_t copies : {std::size_t(1), std::size_t(100), std::size_t(4000)}) {
        SCOPED_TRACE(copies);
        std::string bytes = step;
        for (std::size_t i = 0; i < copies; ++i) bytes += bad;
        const Decoded padded = Decode(bytes);
        EXPECT_LE(padded.read, 4 * bytes.size() + (1 << 20));
        if (padded.ok) {
            EXPECT_EQ(padded.samples, clean.samples);
        }
    }
}

TEST(HostileSoundTest, AClaimedLengthReservesOnlyWhatThePagesHold) {
    for (const char* name : kEffects) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadFile(kData + name + ".ogg");
        const SoundRef real = DecodeSound(bytes, 0, "s");
        ASSERT_TRUE(real);
        // 2^62 frames, and half and all of the longest sound (the effects are
        // mono): the last once reserved 256 MiB for an 8 KB file.
        for (std::int64_t claim : {std::int64_t(1) << 62, std::int64_t(kMaxSoundSamples / 2),
                                   std::int64_t(kMaxSoundSamples)}) {
            const std::string lying = ogg_pages::ClaimingLength(bytes, claim);
            VorbisReader reader;
            ASSERT_TRUE(reader.Open(lying));
            EXPECT_LE(reader.SamplesHint(), 32 * bytes.size());
            const SoundRef sound = DecodeSound(lying, 0, "s");
            ASSERT_TRUE(sound) << claim;
            // The real pages, and the tail of the last packet that the true
            // length had cut: at most one block longer.
            ASSERT_GE(sound->samples.size(), real->samples.size());
            EXPECT_LE(sound->Frames(), real->Frames() + 4096);
            EXPECT_TRUE(
                std::equal(real->samples.begin(), real->samples.end(), sound->samples.begin()));
            EXPECT_LE(sound->samples.capacity(), sound->samples.size() * 5 / 4);
        }
    }
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || \
    __has_feature(memory_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// The game's loads in a child limited to 1 GiB of address space: every
// effect claims the longest length (once 256 MiB reserved each, all held at
// once), the music 2^62 frames with 200 MiB of junk after it.
TEST(HostileSoundTest, LyingSoundsLoadUnderAnAddressLimit) {
    if (kSanitized) GTEST_SKIP() << "the sanitizers reserve more address space than the limit";
    const auto dir = std::filesystem::temp_directory_path() /
                     ("audio_limit_" + std::to_string(getpid())) / "data";
    std::filesystem::create_directories(dir);
    for (const char* name : kEffects) {
        std::ofstream(dir / (std::string(name) + ".ogg"), std::ios::binary)
            << ogg_pages::ClaimingLength(ReadFile(kData + name + ".ogg"),
                                         std::int64_t(kMaxSoundSamples));
    }
    const std::string music =
        ogg_pages::ClaimingLength(ReadFile(kData + "thebodger.ogg"), std::int64_t(1) << 62);
    std::ofstream(dir / "thebodger.ogg", std::ios::binary) << music;
    // A hole, not written: reading it is what the loader pays.
    std::filesystem::resize_file(dir / "thebodger.ogg", music.size() + (std::size_t(200) << 20));
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit{rlim_t(1) << 30, rlim_t(1) << 30};
        if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(3);
        std::vector<SoundRef> held;  // all at once, as the game holds them
        for (const char* name : kEffects) {
            held.push_back(TSound::Load((dir / (std::string(name) + ".ogg")).string(), 0));
            if (!held.back() || held.back()->Frames() == 0) _exit(4);
        }
        SoundRef music = TSound::Stream((dir / "thebodger.ogg").string(), SOUND_LOOP);
        _exit(music ? 0 : 5);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    std::filesystem::remove_all(dir.parent_path());
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
