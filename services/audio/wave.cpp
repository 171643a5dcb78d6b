// wave.cpp -- RIFF WAVE PCM read directly: the chunks are walked with every
// size checked against the bytes actually held.
#include "services/audio/wave.hpp"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "services/audio/sound_limits.hpp"

namespace {

constexpr unsigned kFormatPcm = 1;
constexpr unsigned kFormatExtensible = 0xFFFE;

// Little- or big-endian numbers out of a byte buffer; callers check bounds.
struct Bytes {
    std::string_view data;
    bool big = false;

    unsigned Byte(std::size_t at) const { return static_cast<unsigned char>(data[at]); }
    unsigned U16(std::size_t at) const {
        return big ? Byte(at) << 8 | Byte(at + 1) : Byte(at) | Byte(at + 1) << 8;
    }
    std::uint32_t U32(std::size_t at) const {
        return big ? std::uint32_t(U16(at)) << 16 | U16(at + 2)
                   : U16(at) | std::uint32_t(U16(at + 2)) << 16;
    }
};

struct Format {
    unsigned channels = 0;
    std::uint32_t rate = 0;
    unsigned align = 0;  // bytes per frame
    unsigned bits = 0;
};

bool ReadFormat(const Bytes& b, std::size_t at, std::uint32_t size, Format& f) {
    if (size < 16) return false;
    unsigned tag = b.U16(at);
    if (tag == kFormatExtensible) {
        // The sub-format GUID starts with the plain format tag.
        if (size < 40 || b.U16(at + 24) != kFormatPcm) return false;
    } else if (tag != kFormatPcm) {
        return false;
    }
    f.channels = b.U16(at + 2);
    f.rate = b.U32(at + 4);
    f.align = b.U16(at + 12);
    f.bits = b.U16(at + 14);
    if (f.channels != 1 && f.channels != 2) return false;
    if (f.bits != 8 && f.bits != 16) return false;
    if (f.rate == 0 || f.rate > kHighestSoundRate) return false;
    return f.align == f.channels * f.bits / 8;
}

}  // namespace

bool DecodeWave(std::string_view bytes, TSound& out) {
    if (bytes.size() < 12 || bytes.substr(8, 4) != "WAVE") return false;
    Bytes b{bytes};
    if (bytes.substr(0, 4) == "RIFX") {
        b.big = true;
    } else if (bytes.substr(0, 4) != "RIFF") {
        return false;
    }
    // The form ends where its header says, or at the end of what we hold.
    std::size_t end = bytes.size();
    if (std::uint64_t(b.U32(4)) + 8 < end) end = std::size_t(b.U32(4)) + 8;
    if (end < 12) return false;  // a form too short to hold even its "WAVE"

    Format format;
    bool have_format = false;
    std::size_t data_at = 0;
    std::uint32_t data_size = 0;
    bool have_data = false;
    std::size_t pos = 12;
    while (end - pos >= 8) {
        std::string_view id = bytes.substr(pos, 4);
        std::uint32_t size = b.U32(pos + 4);
        std::size_t body = pos + 8;
        if (size > end - body) return false;  // cut short, or a lying size
        if (id == "fmt " && !have_format) {
            if (!ReadFormat(b, body, size, format)) return false;
            have_format = true;
        } else if (id == "data" && !have_data) {
            data_at = body;
            data_size = size;
            have_data = true;
        }
        // Chunks are padded to an even length; a missing last pad byte is forgiven.
        pos = body + size;
        if (size & 1) pos = pos < end ? pos + 1 : end;
    }
    if (!have_format || !have_data) return false;

    std::size_t frames = data_size / format.align;  // a trailing partial frame is dropped
    std::size_t count = frames * format.channels;
    if (count == 0 || count > kMaxSoundSamples) return false;

    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (format.bits == 8) {
            samples[i] = std::int16_t((int(b.Byte(data_at + i)) - 128) * 256);
        } else {
            samples[i] = std::int16_t(b.U16(data_at + 2 * i));
        }
    }
    out.rate = int(format.rate);
    out.channels = int(format.channels);
    out.samples = std::move(samples);
    return true;
}
