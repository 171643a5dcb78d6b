// decode_test.cpp -- sound files: the Ogg Vorbis fixture, wave files built
// here byte by byte, and the damaged, cut and missing files that give none.
#include "services/audio/decode.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "services/audio/sound.hpp"

namespace {

const std::string kFixtures = std::string(BODGER_SOURCE_DIR) + "/tests/services/audio/fixtures";

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string Le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += char(value >> (8 * i) & 0xFF);
    return out;
}

std::string Be(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out += char(value >> (8 * i) & 0xFF);
    return out;
}

std::string Chunk(const std::string& id, const std::string& body, bool big = false) {
    std::string out = id + (big ? Be : Le)(std::uint32_t(body.size()), 4) + body;
    if (body.size() % 2) out += '\0';
    return out;
}

std::string Format(int channels, int rate, int bits, int tag = 1, bool big = false) {
    auto n = big ? Be : Le;
    int align = channels * bits / 8;
    return Chunk(
        "fmt ",
        n(tag, 2) + n(channels, 2) + n(rate, 4) + n(rate * align, 4) + n(align, 2) + n(bits, 2),
        big);
}

std::string Riff(const std::string& chunks, bool big = false) {
    return (big ? "RIFX" : "RIFF") + (big ? Be : Le)(std::uint32_t(chunks.size() + 4), 4) + "WAVE" +
           chunks;
}

using V = std::vector<std::int16_t>;

TEST(VorbisTest, FixtureDecodesToItsKnownLengthRateAndTone) {
    std::string bytes = ReadFile(kFixtures + "/tone.ogg");
    ASSERT_FALSE(bytes.empty());
    SoundRef sound = DecodeSound(bytes, 0, "data\\tone.ogg");
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->rate, 22050);
    EXPECT_EQ(sound->channels, 1);
    EXPECT_EQ(sound->Frames(), 11025);
    EXPECT_FALSE(sound->loop);
    EXPECT_EQ(sound->path, "data\\tone.ogg");
    // Half a second of 440 Hz at half scale: about 440 sign changes, peaks near 16384.
    int crossings = 0;
    int peak = 0;
    for (std::size_t i = 1; i < sound->samples.size(); ++i) {
        crossings += (sound->samples[i - 1] < 0) != (sound->samples[i] < 0);
        peak = std::max(peak, std::abs(int(sound->samples[i])));
    }
    EXPECT_NEAR(crossings, 440, 6);
    EXPECT_NEAR(peak, 16384, 1600);
    EXPECT_TRUE(DecodeSound(bytes, SOUND_LOOP | 6, "x")->loop);
}

TEST(VorbisTest, CutOrDamagedCopiesGiveNone) {
    const std::string bytes = ReadFile(kFixtures + "/tone.ogg");
    ASSERT_TRUE(DecodeSound(bytes, 0, ""));
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        ASSERT_FALSE(DecodeSound(bytes.substr(0, length), 0, "")) << "cut to " << length;
    }
    std::string garbage = "OggS";
    for (int i = 0; i < 4000; ++i) garbage += char(i * 7919 % 251);
    EXPECT_FALSE(DecodeSound(garbage, 0, ""));
    // A damaged byte in the audio fails its page's checksum: a hole, not a shorter sound.
    std::string damaged = bytes;
    damaged[damaged.size() * 3 / 4] ^= 0x5A;
    EXPECT_FALSE(DecodeSound(damaged, 0, ""));
    // Trailing bytes after the stream's last page are no harm.
    EXPECT_TRUE(DecodeSound(bytes + "tail", 0, ""));
}

TEST(WaveTest, PcmLayoutsAreReadAsSigned16BitLittleEndian) {
    // 8-bit mono is unsigned around the middle.
    SoundRef sound = DecodeSound(
        Riff(Format(1, 11025, 8) + Chunk("data", std::string("\x00\x80\xFF", 3))), 0, "");
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->rate, 11025);
    EXPECT_EQ(sound->channels, 1);
    EXPECT_EQ(sound->samples, (V{-32768, 0, 32512}));

    // 16-bit stereo after other chunks and their padding; a partial last frame is dropped.
    std::string data = Le(1, 2) + Le(0xFFFF, 2) + Le(0x7FFF, 2) + Le(0x8000, 2) + "\x01";
    sound = DecodeSound(Riff(Chunk("LIST", "odd") + Format(2, 48000, 16) + Chunk("fact", "12345") +
                             Chunk("data", data)),
                        0, "");
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->rate, 48000);
    EXPECT_EQ(sound->channels, 2);
    EXPECT_EQ(sound->samples, (V{1, -1, 32767, -32768}));

    // A big-endian file is converted.
    sound = DecodeSound(
        Riff(Format(1, 8000, 16, 1, true) + Chunk("data", Be(0x1234, 2) + Be(0xFFFE, 2), true),
             true),
        0, "");
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->rate, 8000);
    EXPECT_EQ(sound->samples, (V{0x1234, -2}));

    // The extensible format, when it holds plain PCM.
    std::string body = Le(0xFFFE, 2) + Le(1, 2) + Le(22050, 4) + Le(44100, 4) + Le(2, 2) +
                       Le(16, 2) + Le(22, 2) + Le(16, 2) + Le(4, 4) + Le(1, 2) +
                       std::string(14, '\x10');
    sound = DecodeSound(Riff(Chunk("fmt ", body) + Chunk("data", Le(5, 2))), 0, "");
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->samples, (V{5}));
}

TEST(WaveTest, BadSizesAndUnsupportedLayoutsGiveNone) {
    const std::string data = Chunk("data", Le(1, 2) + Le(2, 2));
    const std::string good = Riff(Format(1, 22050, 16) + data);
    ASSERT_TRUE(DecodeSound(good, 0, ""));
    for (std::size_t length = 0; length < good.size(); ++length) {
        ASSERT_FALSE(DecodeSound(good.substr(0, length), 0, "")) << "cut to " << length;
    }
    std::string lying = good;
    lying[lying.size() - 8] = 100;  // the data chunk claims more bytes than the file has
    EXPECT_FALSE(DecodeSound(lying, 0, ""));
    std::string short_form = good;
    short_form[4] = 2;  // the form's own size ends before its chunks
    short_form[5] = short_form[6] = short_form[7] = 0;
    EXPECT_FALSE(DecodeSound(short_form, 0, ""));
    std::string huge = Riff(Format(1, 22050, 16) + "data" + Le(0xFFFFFFFF, 4) + "abcd");
    EXPECT_FALSE(DecodeSound(huge, 0, ""));

    EXPECT_FALSE(DecodeSound(Riff(Format(1, 22050, 16, 3) + data), 0, ""));  // float
    EXPECT_FALSE(DecodeSound(Riff(Format(1, 22050, 24) + data), 0, ""));
    EXPECT_FALSE(DecodeSound(Riff(Format(3, 22050, 16) + data), 0, ""));
    EXPECT_FALSE(DecodeSound(Riff(Format(1, 0, 16) + data), 0, ""));
    EXPECT_FALSE(DecodeSound(Riff(Chunk("fmt ", std::string(14, '\1')) + data), 0, ""));
    EXPECT_FALSE(DecodeSound(Riff(data), 0, ""));
    EXPECT_FALSE(DecodeSound(Riff(Format(1, 22050, 16)), 0, ""));
    EXPECT_FALSE(DecodeSound(Riff(Format(1, 22050, 16) + Chunk("data", "")), 0, ""));
    std::string wrong_align = Format(1, 22050, 16);
    wrong_align[20] = 4;
    EXPECT_FALSE(DecodeSound(Riff(wrong_align + data), 0, ""));
    std::string not_wave = good;
    not_wave[8] = 'X';
    EXPECT_FALSE(DecodeSound(not_wave, 0, ""));
    EXPECT_FALSE(DecodeSound("ID3\3 not a sound at all", 0, ""));
}

// Damaged copies either decode to a consistent sound or give none; under the
// sanitizers this also proves the decoders never read outside the bytes.
TEST(DecodeTest, ScrambledFilesNeverGiveABrokenSound) {
    const std::string files[] = {
        ReadFile(kFixtures + "/tone.ogg"),
        Riff(Chunk("LIST", "info") + Format(2, 44100, 16) + Chunk("data", std::string(64, '\7'))),
    };
    std::mt19937 next(2010);  // the same copies on every machine
    for (const std::string& file : files) {
        for (int round = 0; round < 300; ++round) {
            std::string copy = file;
            for (int flips = 1 + next() % 4; flips > 0; --flips) {
                // Half the damage lands in the headers, where the sizes are.
                std::size_t span =
                    next() % 2 ? std::min<std::size_t>(copy.size(), 64) : copy.size();
                copy[next() % span] = char(next() >> 24);
            }
            SoundRef sound = DecodeSound(copy, 0, "");
            if (!sound) continue;
            ASSERT_TRUE(sound->channels == 1 || sound->channels == 2);
            ASSERT_GT(sound->rate, 0);
            ASSERT_GT(sound->Frames(), 0);
            ASSERT_EQ(sound->samples.size() % std::size_t(sound->channels), 0u);
        }
    }
}

// Loads from files relative to the working directory, as the game does.
class LoadTest : public ::testing::Test {
   protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() / ("audio_load_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_ / "data");
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::filesystem::path previous_, dir_;
};

TEST_F(LoadTest, BackslashPathsAreReadAndKeptAsGiven) {
    std::filesystem::copy_file(kFixtures + "/tone.ogg", "data/thebodger.ogg");
    SoundRef music = TSound::Load("data\\thebodger.ogg", SOUND_LOOP);
    ASSERT_TRUE(music);
    EXPECT_TRUE(music->loop);
    EXPECT_EQ(music->path, "data\\thebodger.ogg");
    EXPECT_EQ(music->Frames(), 11025);
    Write("data/pickup.wav", Riff(Format(1, 22050, 8) + Chunk("data", "\x80\x80")));
    SoundRef pickup = TSound::Load("data\\pickup.wav", 0);
    ASSERT_TRUE(pickup);
    EXPECT_EQ(pickup->samples, (V{0, 0}));
}

TEST_F(LoadTest, MissingEmptyOrFolderGivesNone) {
    EXPECT_FALSE(TSound::Load("data\\nothing.ogg", 0));
    EXPECT_FALSE(TSound::Load("data", 0));
    Write("data/empty.ogg", "");
    EXPECT_FALSE(TSound::Load("data\\empty.ogg", 0));
    EXPECT_FALSE(TSound::Load("", 0));
}

}  // namespace
