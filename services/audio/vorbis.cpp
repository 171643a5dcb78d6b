// vorbis.cpp -- Ogg Vorbis decoded completely through libvorbisfile, reading
// from the file's bytes in memory.
#include "services/audio/vorbis.hpp"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "services/audio/decode.hpp"

namespace {

// The file's bytes with a read position, for libvorbisfile's callbacks.
struct MemoryFile {
    std::string_view data;
    std::size_t pos = 0;
};

std::size_t ReadBytes(void* to, std::size_t size, std::size_t count, void* source) {
    auto* file = static_cast<MemoryFile*>(source);
    if (size == 0) return 0;
    std::size_t items = std::min(count, (file->data.size() - file->pos) / size);
    std::memcpy(to, file->data.data() + file->pos, items * size);
    file->pos += items * size;
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

// libvorbisfile plays whatever pages it can find, so a file cut short would
// load as a shorter sound.  Walk the pages first: every one must be whole and
// the last must close its stream.  Bytes after the last page are ignored.
bool WholeOggStream(std::string_view bytes) {
    auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    std::size_t pos = 0;
    bool ends_stream = false;
    while (bytes.size() - pos >= 27 && bytes.substr(pos, 4) == "OggS") {
        std::size_t segments = byte(pos + 26);
        if (bytes.size() - pos - 27 < segments) return false;
        std::size_t body = 0;
        for (std::size_t i = 0; i < segments; ++i) body += byte(pos + 27 + i);
        std::size_t length = 27 + segments + body;
        if (bytes.size() - pos < length) return false;
        ends_stream = (byte(pos + 5) & 4) != 0;
        pos += length;
    }
    std::string_view tail = bytes.substr(pos, 4);
    if (!tail.empty() && std::string_view("OggS").starts_with(tail)) return false;  // a cut page
    return pos > 0 && ends_stream;
}

// Closes an opened stream however the decode ends.  The decoder's state
// points into itself, so it lives here and is never copied.
struct OpenStream {
    OggVorbis_File file{};
    bool open = false;
    OpenStream() = default;
    OpenStream(const OpenStream&) = delete;
    OpenStream& operator=(const OpenStream&) = delete;
    ~OpenStream() {
        if (open) ov_clear(&file);
    }
};

}  // namespace

bool DecodeVorbis(std::string_view bytes, TSound& out) {
    if (!WholeOggStream(bytes)) return false;
    MemoryFile source{bytes};
    ov_callbacks callbacks{ReadBytes, SeekBytes, nullptr, TellBytes};
    OpenStream stream;
    // A failed open clears the stream itself.
    if (ov_open_callbacks(&source, &stream.file, nullptr, 0, callbacks) < 0) return false;
    stream.open = true;

    const vorbis_info* info = ov_info(&stream.file, -1);
    if (!info || (info->channels != 1 && info->channels != 2) || info->rate <= 0 ||
        info->rate > kHighestSoundRate) {
        return false;
    }
    const int channels = info->channels;
    const long rate = info->rate;

    std::vector<std::int16_t> samples;
    ogg_int64_t total = ov_pcm_total(&stream.file, -1);
    if (total > 0 && std::uint64_t(total) * channels <= kMaxSoundSamples) {
        samples.reserve(std::size_t(total) * channels);
    }
    const int big_endian = std::endian::native == std::endian::big ? 1 : 0;
    char buffer[8192];
    for (;;) {
        int link = 0;
        long got = ov_read(&stream.file, buffer, sizeof buffer, big_endian, 2, 1, &link);
        if (got == 0) break;
        if (got < 0) return false;  // a hole or a damaged packet
        // A chained file may change its layout from one link to the next.
        const vorbis_info* now = ov_info(&stream.file, link);
        if (!now || now->channels != channels || now->rate != rate) return false;
        std::size_t count = std::size_t(got) / 2;
        if (samples.size() + count > kMaxSoundSamples) return false;
        std::size_t at = samples.size();
        samples.resize(at + count);
        std::memcpy(samples.data() + at, buffer, count * 2);
    }
    if (samples.empty() || samples.size() % channels != 0) return false;
    out.rate = int(rate);
    out.channels = channels;
    out.samples = std::move(samples);
    return true;
}
