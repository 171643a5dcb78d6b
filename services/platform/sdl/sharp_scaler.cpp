// sharp_scaler.cpp -- the sharp rule in one pass over the output.  Each
// output row blends at most two picture rows, and most rows and columns show
// one art pixel alone, so a row is either a copy of a packed picture row or a
// blend of two picture rows spread across the columns once per frame.
#include "services/platform/sdl/sharp_scaler.hpp"

#include <algorithm>
#include <bit>
#include <cstring>

namespace sdl_backend {

namespace {

constexpr std::uint32_t kBlack = 0xFF000000u;

// Where channel k (bits 8k..8k+7 of a pixel's value) sits in memory, so that
// spread rows and the output can be walked byte by byte on any machine.
constexpr int Lane(int k) {
    return std::endian::native == std::endian::little ? k : 3 - k;
}

void Fill(std::uint32_t* row, int count) {
    std::fill(row, row + count, kBlack);
}

}  // namespace

std::vector<Tap> SharpTaps(int box_size, int pic_size, int factor) {
    std::vector<Tap> taps;
    if (box_size <= 0 || pic_size <= 0 || factor <= 0) return taps;
    taps.resize(std::size_t(box_size));
    // The enlarged side has big = pic_size * factor texels.  Output pixel i's
    // centre falls on texel position u = (i + 0.5) * big / box_size - 0.5;
    // in units of 1 / (2 * box_size) that is (2i + 1) * big - box_size,
    // never negative since big >= box_size.
    const std::int64_t big = std::int64_t(pic_size) * factor;
    const std::int64_t unit = 2 * std::int64_t(box_size);
    for (int i = 0; i < box_size; ++i) {
        const std::int64_t pos = (2 * std::int64_t(i) + 1) * big - box_size;
        const std::int64_t texel = pos / unit;
        const int share = int(((pos % unit) * 256 + box_size) / unit);  // rounded, 0..256
        const int first = int(texel / factor);
        const int next = int(std::min(texel + 1, big - 1) / factor);
        Tap& t = taps[std::size_t(i)];
        if (share == 256 || (share > 0 && next == first)) {
            // The next texel alone, or both texels copies of one art pixel.
            t.first = t.next = share == 256 ? next : first;
        } else if (share == 0) {
            t.first = t.next = first;
        } else {
            t.first = first;
            t.next = next;
            t.share = share;
        }
    }
    return taps;
}

bool SharpScaler::Configure(int pic_w, int pic_h, int out_w, int out_h) {
    pic_w_ = pic_h_ = out_w_ = out_h_ = 0;
    cols_.clear();
    rows_.clear();
    if (pic_w <= 0 || pic_h <= 0 || out_w <= 0 || out_h <= 0) return false;
    box_ = Letterbox(out_w, out_h, pic_w, pic_h);
    const int factor = SharpFactor(box_, pic_w, pic_h);
    cols_ = SharpTaps(box_.w, pic_w, factor);
    rows_ = SharpTaps(box_.h, pic_h, factor);
    for (auto& s : spread_) s.assign(std::size_t(box_.w) * 4, 0);
    pic_w_ = pic_w;
    pic_h_ = pic_h;
    out_w_ = out_w;
    out_h_ = out_h;
    return true;
}

void SharpScaler::PackRow(const std::uint32_t* src, std::uint32_t* dst) const {
    // Two channels per 32-bit word, 16 bits apart: a level times 256 plus
    // the rounding half never reaches the next channel.
    const int n = box_.w;
    for (int x = 0; x < n; ++x) {
        const Tap& c = cols_[std::size_t(x)];
        const std::uint32_t p = src[c.first], q = src[c.next];
        const std::uint32_t b = std::uint32_t(c.share), a = 256 - b;
        const std::uint32_t even =
            (((p & 0x00FF00FFu) * a + (q & 0x00FF00FFu) * b + 0x00800080u) >> 8) & 0x00FF00FFu;
        const std::uint32_t odd =
            (((p >> 8) & 0x00FF00FFu) * a + ((q >> 8) & 0x00FF00FFu) * b + 0x00800080u) &
            0xFF00FF00u;
        dst[x] = even | odd;
    }
}

void SharpScaler::Spread(const std::uint32_t* src, std::uint16_t* dst) const {
    const int n = box_.w;
    for (int x = 0; x < n; ++x) {
        const Tap& c = cols_[std::size_t(x)];
        const std::uint32_t p = src[c.first], q = src[c.next];
        const std::uint32_t b = std::uint32_t(c.share), a = 256 - b;
        const std::uint32_t even = (p & 0x00FF00FFu) * a + (q & 0x00FF00FFu) * b;
        const std::uint32_t odd = ((p >> 8) & 0x00FF00FFu) * a + ((q >> 8) & 0x00FF00FFu) * b;
        std::uint16_t* d = dst + std::size_t(x) * 4;
        d[Lane(0)] = std::uint16_t(even);
        d[Lane(1)] = std::uint16_t(odd);
        d[Lane(2)] = std::uint16_t(even >> 16);
        d[Lane(3)] = std::uint16_t(odd >> 16);
    }
}

void SharpScaler::SpreadPair(const std::uint32_t* pic, int row, const std::uint16_t** upper,
                             const std::uint16_t** lower) {
    // Rows come in order, so the pair shares a row with the pair before it
    // more often than not: keep that one, spread the other into the spare.
    int a = spread_row_[0] == row ? 0 : spread_row_[1] == row ? 1 : -1;
    int b = spread_row_[0] == row + 1 ? 0 : spread_row_[1] == row + 1 ? 1 : -1;
    if (a < 0) {
        a = b == 0 ? 1 : 0;
        Spread(pic + std::size_t(row) * pic_w_, spread_[a].data());
        spread_row_[a] = row;
    }
    if (b < 0) {
        b = 1 - a;
        Spread(pic + std::size_t(row + 1) * pic_w_, spread_[b].data());
        spread_row_[b] = row + 1;
    }
    *upper = spread_[a].data();
    *lower = spread_[b].data();
}

void SharpScaler::Scale(const std::uint32_t* pic, std::uint32_t* out, int out_pitch) {
    if (out_w_ <= 0 || !pic || !out) return;
    spread_row_[0] = spread_row_[1] = -1;  // a new picture
    const std::size_t pitch = std::size_t(out_pitch);
    for (int y = 0; y < box_.y; ++y) Fill(out + y * pitch, out_w_);
    for (int y = box_.y + box_.h; y < out_h_; ++y) Fill(out + y * pitch, out_w_);
    const int right = box_.x + box_.w;
    const std::size_t bytes = std::size_t(box_.w) * 4;
    int packed = -1;  // the picture row the output row above shows alone, if any
    for (int j = 0; j < box_.h; ++j) {
        std::uint32_t* line = out + std::size_t(box_.y + j) * pitch;
        Fill(line, box_.x);
        Fill(line + right, out_w_ - right);
        std::uint32_t* dst = line + box_.x;
        const Tap& r = rows_[std::size_t(j)];
        if (r.share == 0) {
            if (packed == r.first) {
                std::memcpy(dst, dst - pitch, bytes);
            } else {
                PackRow(pic + std::size_t(r.first) * pic_w_, dst);
                packed = r.first;
            }
            continue;
        }
        packed = -1;
        const std::uint16_t *upper = nullptr, *lower = nullptr;
        SpreadPair(pic, r.first, &upper, &lower);
        const std::uint32_t b = std::uint32_t(r.share), a = 256 - b;
        auto* d = reinterpret_cast<std::uint8_t*>(dst);
        const std::size_t n = std::size_t(box_.w) * 4;
        for (std::size_t i = 0; i < n; ++i)
            d[i] = std::uint8_t((upper[i] * a + lower[i] * b + 32768u) >> 16);
    }
}

}  // namespace sdl_backend
