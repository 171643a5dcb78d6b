// sharp_scaler.cpp -- the sharp rule in one pass over the output.  Each
// output row blends at most two picture rows, and most rows and columns show
// one art pixel alone, so a row is either a copy of a packed picture row or a
// blend of two picture rows spread across the columns once per frame.
#include "services/platform/sdl/sharp_scaler.hpp"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#define BODGER_SCALER_SSE2 1
#endif

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

// A spread row rounded to whole levels: an output row showing one picture
// row alone.
void Pack(const std::uint16_t* h, std::uint8_t* out, std::size_t n, bool plain) {
    std::size_t i = 0;
#if BODGER_SCALER_SSE2
    if (!plain) {
        const __m128i half = _mm_set1_epi16(128);
        for (; i + 16 <= n; i += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(h + i + 8));
            const __m128i ra = _mm_srli_epi16(_mm_add_epi16(a, half), 8);
            const __m128i rb = _mm_srli_epi16(_mm_add_epi16(b, half), 8);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(ra, rb));
        }
    }
#endif
    for (; i < n; ++i) out[i] = std::uint8_t((h[i] + 128u) >> 8);
}

// Two spread rows blended: an output row between two picture rows, lower
// weighing share 256ths.
void Blend(const std::uint16_t* upper, const std::uint16_t* lower, int share, std::uint8_t* out,
           std::size_t n, bool plain) {
    const std::uint32_t b = std::uint32_t(share), a = 256 - b;
    std::size_t i = 0;
#if BODGER_SCALER_SSE2
    if (!plain) {
        // Products of up to 24 bits: built from their 16-bit halves.
        const __m128i wa = _mm_set1_epi16(short(a)), wb = _mm_set1_epi16(short(b));
        const __m128i half = _mm_set1_epi32(32768);
        auto eight = [&](std::size_t at) {
            const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + at));
            const __m128i l = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + at));
            const __m128i ul = _mm_mullo_epi16(u, wa), uh = _mm_mulhi_epu16(u, wa);
            const __m128i ll = _mm_mullo_epi16(l, wb), lh = _mm_mulhi_epu16(l, wb);
            const __m128i lo = _mm_add_epi32(
                _mm_add_epi32(_mm_unpacklo_epi16(ul, uh), _mm_unpacklo_epi16(ll, lh)), half);
            const __m128i hi = _mm_add_epi32(
                _mm_add_epi32(_mm_unpackhi_epi16(ul, uh), _mm_unpackhi_epi16(ll, lh)), half);
            return _mm_packs_epi32(_mm_srli_epi32(lo, 16), _mm_srli_epi32(hi, 16));
        };
        for (; i + 16 <= n; i += 16) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                             _mm_packus_epi16(eight(i), eight(i + 8)));
        }
    }
#endif
    for (; i < n; ++i) out[i] = std::uint8_t((upper[i] * a + lower[i] * b + 32768u) >> 16);
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
    // The vector loop reads each column's two pixels in one load, so a
    // column showing the picture's last pixel alone reads it as the second
    // of the pair before it.
    load_at_.assign(cols_.size(), 0);
    weights_.assign(cols_.size() * 8, 0);
    for (std::size_t x = 0; x < cols_.size() && pic_w >= 2; ++x) {
        const Tap& c = cols_[x];
        const bool last = c.first == pic_w - 1;
        load_at_[x] = last ? pic_w - 2 : c.first;
        const std::uint16_t b = std::uint16_t(last ? 256 : c.share);
        for (int k = 0; k < 4; ++k) {
            weights_[x * 8 + std::size_t(k)] = std::uint16_t(256 - b);
            weights_[x * 8 + 4 + std::size_t(k)] = b;
        }
    }
    columns_whole_ =
        std::all_of(cols_.begin(), cols_.end(), [](const Tap& c) { return c.share == 0; });
    columns_identity_ = columns_whole_ && box_.w == pic_w;
    pic_w_ = pic_w;
    pic_h_ = pic_h;
    out_w_ = out_w;
    out_h_ = out_h;
    return true;
}

void SharpScaler::SpreadRow(const std::uint32_t* src, std::uint16_t* dst) const {
    const int n = box_.w;
#if BODGER_SCALER_SSE2
    if (!plain_ && pic_w_ >= 2) {
        // One column a step: its two pixels side by side as eight 16-bit
        // lanes, times their weights, the pair's halves added.
        const __m128i zero = _mm_setzero_si128();
        for (int x = 0; x < n; ++x) {
            const __m128i pair = _mm_unpacklo_epi8(
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(src + load_at_[std::size_t(x)])),
                zero);
            const __m128i w =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(&weights_[std::size_t(x) * 8]));
            const __m128i prod = _mm_mullo_epi16(pair, w);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + std::size_t(x) * 4),
                             _mm_add_epi16(prod, _mm_srli_si128(prod, 8)));
        }
        return;
    }
#endif
    // Two channels per 32-bit word, 16 bits apart: a level times 256 never
    // reaches the next channel.
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

const std::uint16_t* SharpScaler::Spread(const std::uint32_t* pic, int row, int keep) {
    for (int i = 0; i < 2; ++i) {
        if (spread_row_[i] == row) return spread_[i].data();
    }
    // Evict the row not kept; of two, the earlier one.
    const int slot = spread_row_[0] == keep   ? 1
                     : spread_row_[1] == keep ? 0
                                              : (spread_row_[0] <= spread_row_[1] ? 0 : 1);
    SpreadRow(pic + std::size_t(row) * pic_w_, spread_[slot].data());
    spread_row_[slot] = row;
    return spread_[slot].data();
}

void SharpScaler::Scale(const std::uint32_t* pic, std::uint32_t* out, int out_pitch) {
    if (out_w_ <= 0 || !pic || !out) return;
    spread_row_[0] = spread_row_[1] = -1;  // a new picture
    const std::size_t pitch = std::size_t(out_pitch);
    for (int y = 0; y < box_.y; ++y) Fill(out + y * pitch, out_w_);
    for (int y = box_.y + box_.h; y < out_h_; ++y) Fill(out + y * pitch, out_w_);
    const int right = box_.x + box_.w;
    const std::size_t lanes = std::size_t(box_.w) * 4;
    int packed = -1;  // the picture row the output row above shows alone, if any
    for (int j = 0; j < box_.h; ++j) {
        std::uint32_t* line = out + std::size_t(box_.y + j) * pitch;
        Fill(line, box_.x);
        Fill(line + right, out_w_ - right);
        std::uint32_t* dst = line + box_.x;
        auto* bytes = reinterpret_cast<std::uint8_t*>(dst);
        const Tap& r = rows_[std::size_t(j)];
        if (r.share == 0) {
            const std::uint32_t* src = pic + std::size_t(r.first) * pic_w_;
            if (packed == r.first) {
                std::memcpy(dst, dst - pitch, lanes);
            } else if (columns_identity_) {
                std::memcpy(dst, src, lanes);
                packed = r.first;
            } else if (columns_whole_) {
                for (int x = 0; x < box_.w; ++x) dst[x] = src[cols_[std::size_t(x)].first];
                packed = r.first;
            } else {
                Pack(Spread(pic, r.first, -1), bytes, lanes, plain_);
                packed = r.first;
            }
            continue;
        }
        packed = -1;
        const std::uint16_t* upper = Spread(pic, r.first, r.next);
        const std::uint16_t* lower = Spread(pic, r.next, r.first);
        Blend(upper, lower, r.share, bytes, lanes, plain_);
    }
}

}  // namespace sdl_backend
