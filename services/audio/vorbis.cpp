// vorbis.cpp -- Ogg Vorbis through libvorbisfile, reading from the file's bytes
// in memory: the whole stream at once, or the next packet on demand.
#include "services/audio/vorbis.hpp"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "services/audio/sound_limits.hpp"

namespace {

// How much reading one pass over a stream may take: its open (which seeks to
// the last page and back) and its decode read each page about once, so a
// stream that needs more is damaged in a way that would only cost time.
constexpr std::uint64_t kReadsPerByte = 4;
constexpr std::uint64_t kReadSlack = 1 << 20;
// Interleaved samples reserved per byte of stream at most: well above what a
// real encoding packs (the game's effects about 3, its music 8), far below the
// length a lying last page can claim.  A longer sound grows as it decodes.
constexpr std::size_t kSamplesPerByte = 32;

// The checked bytes with a read position and what is left of the reading
// allowed, for libvorbisfile's callbacks.
struct MemoryFile {
    std::string_view data;
    std::size_t pos = 0;
    std::uint64_t allowed = 0;
    std::uint64_t read = 0;
};

std::size_t ReadBytes(void* to, std::size_t size, std::size_t count, void* source) {
    auto* file = static_cast<MemoryFile*>(source);
    if (size == 0) return 0;
    std::size_t items = std::min(count, (file->data.size() - file->pos) / size);
    if (items * size > file->allowed - file->read) {
        errno = EIO;  // libvorbisfile takes a short read with errno set as a read error
        return 0;
    }
    std::memcpy(to, file->data.data() + file->pos, items * size);
    file->pos += items * size;
    file->read += items * size;
    return items;
}

int SeekBytes(void* source, ogg_int64_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(source);
    ogg_int64_t base = whence == SEEK_CUR   ? ogg_int64_t(file->pos)
                       : whence == SEEK_END ? ogg_int64_t(file->data.size())
                                            : 0;
    if (offset < -base || offset > ogg_int64_t(file->data.size()) - base) return -1;
    file->pos = std::size_t(base + offset);
    return 0;
}

long TellBytes(void* source) {
    return long(static_cast<MemoryFile*>(source)->pos);
}

}  // namespace

// libvorbisfile plays whatever pages it can find, so a file cut short would
// load as a shorter sound.  Walk the pages first: every one must be whole and
// the last must close its stream.
std::size_t CheckedOggLength(std::string_view bytes) {
    auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    std::size_t pos = 0;
    bool ends_stream = false;
    while (bytes.size() - pos >= 27 && bytes.substr(pos, 4) == "OggS") {
        std::size_t segments = byte(pos + 26);
        if (bytes.size() - pos - 27 < segments) return 0;
        std::size_t body = 0;
        for (std::size_t i = 0; i < segments; ++i) body += byte(pos + 27 + i);
        std::size_t length = 27 + segments + body;
        if (bytes.size() - pos < length) return 0;
        ends_stream = (byte(pos + 5) & 4) != 0;
        pos += length;
    }
    std::string_view tail = bytes.substr(pos, 4);
    if (!tail.empty() && std::string_view("OggS").starts_with(tail)) return 0;  // a cut page
    return ends_stream ? pos : 0;
}

struct VorbisReader::State {
    MemoryFile source;
    OggVorbis_File file{};
    bool open = false;
    ~State() {
        if (open) ov_clear(&file);
    }
};

VorbisReader::VorbisReader() : state_(std::make_unique<State>()) {}

VorbisReader::~VorbisReader() = default;

bool VorbisReader::Open(std::string_view bytes) {
    if (state_->open) ov_clear(&state_->file);
    state_->open = false;
    rate_ = channels_ = 0;
    const std::size_t length = CheckedOggLength(bytes);
    if (length == 0) return false;
    state_->source =
        MemoryFile{.data = bytes.substr(0, length), .allowed = kReadsPerByte * length + kReadSlack};
    ov_callbacks callbacks{ReadBytes, SeekBytes, nullptr, TellBytes};
    // A failed open clears the stream itself.
    if (ov_open_callbacks(&state_->source, &state_->file, nullptr, 0, callbacks) < 0) return false;
    state_->open = true;
    const vorbis_info* info = ov_info(&state_->file, -1);
    if (!info || (info->channels != 1 && info->channels != 2) || info->rate <= 0 ||
        info->rate > kHighestSoundRate) {
        return false;
    }
    channels_ = info->channels;
    rate_ = int(info->rate);
    return true;
}

std::size_t VorbisReader::SamplesHint() const {
    if (!state_->open || channels_ == 0) return 0;
    ogg_int64_t total = ov_pcm_total(&state_->file, -1);
    if (total <= 0 || std::uint64_t(total) * std::uint64_t(channels_) > kMaxSoundSamples) return 0;
    return std::size_t(std::min(std::uint64_t(total) * std::uint64_t(channels_),
                                std::uint64_t(kSamplesPerByte) * state_->source.data.size()));
}

std::uint64_t VorbisReader::BytesRead() const {
    return state_->source.read;
}

long VorbisReader::Next(std::vector<std::int16_t>& out) {
    if (!state_->open || channels_ == 0) return -1;
    const int big_endian = std::endian::native == std::endian::big ? 1 : 0;
    char buffer[8192];
    int link = 0;
    long got = ov_read(&state_->file, buffer, sizeof buffer, big_endian, 2, 1, &link);
    if (got <= 0) return got;  // the end, or a hole or a damaged packet
    // A chained file may change its layout from one link to the next.
    const vorbis_info* now = ov_info(&state_->file, link);
    if (!now || now->channels != channels_ || now->rate != rate_) return -1;
    std::size_t count = std::size_t(got) / 2;
    if (out.size() + count > kMaxSoundSamples) return -1;
    std::size_t at = out.size();
    out.resize(at + count);
    std::memcpy(out.data() + at, buffer, count * 2);
    return long(count);
}

bool DecodeVorbis(std::string_view bytes, TSound& out) {
    VorbisReader reader;
    if (!reader.Open(bytes)) return false;
    std::vector<std::int16_t> samples;
    samples.reserve(reader.SamplesHint());
    for (;;) {
        long got = reader.Next(samples);
        if (got == 0) break;
        if (got < 0) return false;
    }
    const int channels = reader.Channels();
    if (samples.empty() || samples.size() % std::size_t(channels) != 0) return false;
    // A last page claiming more than the pages held leaves room unused.
    if (samples.capacity() - samples.size() > samples.size() / 4) samples.shrink_to_fit();
    out.rate = reader.Rate();
    out.channels = channels;
    out.samples = std::move(samples);
    return true;
}
