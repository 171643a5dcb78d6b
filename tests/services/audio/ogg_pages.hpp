// ogg_pages.hpp -- hostile copies of the game's own Ogg files, made by the
// tests themselves: junk after the last page, a last page claiming another
// length, the audio pages repeated into a long track.
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace ogg_pages {

inline std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

struct Page {
    std::size_t at;
    std::size_t length;
};

// The whole pages at the start of bytes.
inline std::vector<Page> Pages(const std::string& bytes) {
    std::vector<Page> pages;
    std::size_t pos = 0;
    while (bytes.size() - pos >= 27 && bytes.compare(pos, 4, "OggS") == 0) {
        std::size_t segments = static_cast<unsigned char>(bytes[pos + 26]);
        std::size_t length = 27 + segments;
        for (std::size_t i = 0; i < segments; ++i) {
            length += static_cast<unsigned char>(bytes[pos + 27 + i]);
        }
        pages.push_back({pos, length});
        pos += length;
    }
    return pages;
}

inline std::int64_t Granule(const std::string& bytes, const Page& page) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[page.at + 6 + std::size_t(i)]);
    }
    return std::int64_t(value);
}

// Sets a page's granule position, sequence number and flags, and its checksum
// to match, so the decoder takes it as written.
inline void Rewrite(std::string& bytes, const Page& page, std::int64_t granule,
                    std::uint32_t sequence, int flags) {
    bytes[page.at + 5] = char(flags);
    for (int i = 0; i < 8; ++i)
        bytes[page.at + 6 + std::size_t(i)] = char(std::uint64_t(granule) >> (8 * i));
    for (int i = 0; i < 4; ++i) bytes[page.at + 18 + std::size_t(i)] = char(sequence >> (8 * i));
    for (int i = 0; i < 4; ++i) bytes[page.at + 22 + std::size_t(i)] = 0;
    std::uint32_t crc = 0;  // Ogg's CRC-32: polynomial 0x04C11DB7, unreflected, starting at 0
    for (std::size_t i = 0; i < page.length; ++i) {
        crc ^= std::uint32_t(static_cast<unsigned char>(bytes[page.at + i])) << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 0x80000000u ? crc << 1 ^ 0x04C11DB7u : crc << 1;
    }
    for (int i = 0; i < 4; ++i) bytes[page.at + 22 + std::size_t(i)] = char(crc >> (8 * i));
}

inline std::uint32_t Sequence(const std::string& bytes, const Page& page) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes[page.at + 18 + std::size_t(i)]);
    }
    return value;
}

// The file with its last page claiming `granule` frames.
inline std::string ClaimingLength(std::string bytes, std::int64_t granule) {
    const std::vector<Page> pages = Pages(bytes);
    const Page& last = pages.back();
    Rewrite(bytes, last, granule, Sequence(bytes, last),
            static_cast<unsigned char>(bytes[last.at + 5]));
    return bytes;
}

// One stream whose audio pages (those after the three header packets' pages,
// which have granule 0) are the file's own, `times` over, numbered and timed
// on from each other; only the very last closes the stream.
inline std::string Repeated(const std::string& bytes, int times) {
    const std::vector<Page> pages = Pages(bytes);
    std::size_t audio = 0;
    while (audio < pages.size() && Granule(bytes, pages[audio]) == 0) ++audio;
    const std::int64_t track = Granule(bytes, pages.back());
    std::string out = bytes.substr(0, pages[audio].at);
    std::uint32_t sequence = Sequence(bytes, pages[audio]);
    for (int round = 0; round < times; ++round) {
        for (std::size_t p = audio; p < pages.size(); ++p) {
            Page copy{out.size(), pages[p].length};
            out.append(bytes, pages[p].at, pages[p].length);
            const bool final = round == times - 1 && p == pages.size() - 1;
            int flags = static_cast<unsigned char>(bytes[pages[p].at + 5]) & ~4;
            Rewrite(out, copy, Granule(bytes, pages[p]) + round * track, sequence++,
                    final ? flags | 4 : flags);
        }
    }
    return out;
}

}  // namespace ogg_pages
