// draw_list.cpp -- the frame's draws recorded, then rasterised at once: the
// hidden ones skipped (walking the list backwards over what later opaque
// draws cover), the rest placed and made ready in order on this thread, and
// the pixels written in horizontal bands, each band applying every draw in
// order.
#include "services/graphics/draw_list.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "services/graphics/back_buffer.hpp"
#include "services/graphics/band_pool.hpp"
#include "services/graphics/raster_cache.hpp"
#include "services/graphics/raster_fill.hpp"

namespace draw_list {
namespace {

// Bands per drawing thread: a few, so that the threads even out, but not many,
// as a draw that crosses a band's edge is set up once in each band.
constexpr int kBandsPerThread = 2;

// Which pixels later opaque draws replace whatever lies below: one bit per
// pixel, a row of words per screen row.
class TCoverage {
   public:
    // Nothing covered; only the rows marked since the last reset are cleared.
    void Reset(int width, int height) {
        if (width != w_ || height != h_) {
            w_ = width;
            h_ = height;
            words_ = (width + 63) / 64;
            bits_.assign(std::size_t(words_) * std::size_t(height), 0);
        } else if (dirty_y0_ < dirty_y1_) {
            std::fill(bits_.begin() + std::ptrdiff_t(dirty_y0_) * words_,
                      bits_.begin() + std::ptrdiff_t(dirty_y1_) * words_, 0);
        }
        dirty_y0_ = height;
        dirty_y1_ = 0;
    }
    bool Any() const { return dirty_y0_ < dirty_y1_; }
    // Every pixel of the rectangle (inside the screen, not empty) is covered.
    bool Covered(int x0, int y0, int x1, int y1) const {
        const int k0 = x0 >> 6, k1 = (x1 - 1) >> 6;
        const std::uint64_t first = Mask(k0, x0, x1), last = Mask(k1, x0, x1);
        for (int y = y0; y < y1; ++y) {
            const std::uint64_t* row = &bits_[std::size_t(y) * std::size_t(words_)];
            if ((row[k0] & first) != first || (row[k1] & last) != last) return false;
            for (int k = k0 + 1; k < k1; ++k)
                if (row[k] != ~0ull) return false;
        }
        return true;
    }
    void Cover(int x0, int y0, int x1, int y1) {
        dirty_y0_ = std::min(dirty_y0_, y0);
        dirty_y1_ = std::max(dirty_y1_, y1);
        const int k0 = x0 >> 6, k1 = (x1 - 1) >> 6;
        const std::uint64_t first = Mask(k0, x0, x1), last = Mask(k1, x0, x1);
        for (int y = y0; y < y1; ++y) {
            std::uint64_t* row = &bits_[std::size_t(y) * std::size_t(words_)];
            row[k0] |= first;
            row[k1] |= last;
            for (int k = k0 + 1; k < k1; ++k) row[k] = ~0ull;
        }
    }
    // Marks [x0, x1) of row y (x0 < x1); MarkRows has noted the row.
    void CoverRow(int y, int x0, int x1) {
        std::uint64_t* row = &bits_[std::size_t(y) * std::size_t(words_)];
        const int k0 = x0 >> 6, k1 = (x1 - 1) >> 6;
        const std::uint64_t from = ~0ull << (x0 & 63);
        const std::uint64_t upto = (x1 & 63) == 0 ? ~0ull : (1ull << (x1 & 63)) - 1;
        if (k0 == k1) {
            row[k0] |= from & upto;
            return;
        }
        row[k0] |= from;
        for (int k = k0 + 1; k < k1; ++k) row[k] = ~0ull;
        row[k1] |= upto;
    }
    // Marks the pixels left + x of row y for each bit x of `bits` (all of them
    // inside the screen, left >= 0); MarkRows has noted the row.
    void CoverBits(int y, int left, std::uint64_t bits) {
        if (!bits) return;
        std::uint64_t* row = &bits_[std::size_t(y) * std::size_t(words_)];
        const int k = left >> 6, shift = left & 63;
        row[k] |= bits << shift;
        if (shift && (bits >> (64 - shift))) row[k + 1] |= bits >> (64 - shift);
    }
    void MarkRows(int y0, int y1) {
        dirty_y0_ = std::min(dirty_y0_, y0);
        dirty_y1_ = std::max(dirty_y1_, y1);
    }
    bool All() const { return h_ > 0 && w_ > 0 && Covered(0, 0, w_, h_); }
    const std::uint64_t* Row(int y) const { return &bits_[std::size_t(y) * std::size_t(words_)]; }

   private:
    // The bits of word k that lie in [x0, x1).
    static std::uint64_t Mask(int k, int x0, int x1) {
        const int lo = std::max(x0 - k * 64, 0), hi = std::min(x1 - k * 64, 64);
        const std::uint64_t upto = hi == 64 ? ~0ull : (1ull << hi) - 1;
        return upto & ~((1ull << lo) - 1);
    }
    int w_ = 0, h_ = 0, words_ = 0;
    int dirty_y0_ = 0, dirty_y1_ = 0;  // rows that may hold marks
    std::vector<std::uint64_t> bits_;
};

// Where an image draw lands: as a plain copy at (left, top), or as a quad.
struct TPlaced {
    bool blit = false;
    int left = 0, top = 0;
    TQuadMap quad;
    const raster::TVisible* visible = nullptr;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // pixels it may write (inside its clip)
};

// What the bands run: one draw with everything it needs found already.
struct TReady {
    enum class Op : std::uint8_t { Blit, Quad, Line, Clear };
    Op op = Op::Blit;
    int mode = BLEND_MASK;
    bool filtered = false;
    raster::TTint tint;
    TClip clip;
    int y0 = 0, y1 = 0;  // rows it may write
    raster::TTexture tex;
    int left = 0, top = 0;
    const raster::TVisible* visible = nullptr;
    const std::uint32_t* copies = nullptr;
    const TQuadMap* quad = nullptr;
    const TCommand* command = nullptr;  // lines and clears
    bool masked_clear = false;          // clear only the pixels no later draw covers
};

struct TList {
    std::vector<TCommand> pending, working;
    std::vector<ImageRef> holding, held;  // the images of pending, working draws
    std::vector<TPlaced> placed;
    std::vector<unsigned char> skip;
    std::vector<TReady> ready;
    std::vector<std::vector<int>> bands;  // per band, the ready draws that touch it
    TCoverage coverage;                   // when a clear is reached, what it need not fill
    TOptions options;
    TCounts counts;
    std::uint32_t* pixels = nullptr;  // the back buffer while a flush runs
    int pitch = 0;
    bool hooked = false, flushing = false;
};

TList& List() {
    static TList list;
    return list;
}

bool IsWhole(double v) {
    return v == std::floor(v);
}

// Mip level for a placement: how many texels one screen pixel steps over.
int MipLevelFor(const TQuadMap& q) {
    const double rho = std::max(std::hypot(q.du_dx, q.dv_dx), std::hypot(q.du_dy, q.dv_dy));
    if (!(rho > 1.0)) return 0;
    return int(std::min(std::floor(std::log2(rho) + 0.5), 30.0));
}

// Places an image draw; false when it draws nothing at all.
bool Place(const TCommand& c, TPlaced& out) {
    TImage& image = *c.image;
    if (c.frame < 0 || c.frame >= image.Frames() || image.width <= 0 || image.height <= 0)
        return false;
    // At draw alpha 0 mask, alpha and light leave every pixel as it is.
    if (c.tint.a == 0 && (c.mode == BLEND_MASK || c.mode == BLEND_ALPHA || c.mode == BLEND_LIGHT))
        return false;
    if (image.pixmaps[std::size_t(c.frame)].size() !=
        std::size_t(image.width) * std::size_t(image.height))
        return false;
    // Clear texels leave the pixels under them alone except in solid and shade.
    out.visible = c.mode != BLEND_SOLID && c.mode != BLEND_SHADE
                      ? raster::FrameVisible(image, c.frame)
                      : nullptr;
    if (out.visible && out.visible->x0 >= out.visible->x1) return false;
    const bool filtered = (c.flags & IMAGE_FILTERED) != 0;
    long long x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    out.blit = false;
    if (IsIdentityMatrix(c.matrix)) {
        // The frame's top-left corner; a pixel is covered when its centre is inside.
        const double left = double(c.x) - c.handle_x, top = double(c.y) - c.handle_y;
        if (!std::isfinite(left) || !std::isfinite(top)) return false;
        if (!filtered || (IsWhole(left) && IsWhole(top))) {
            const double far = double(1 << 24);
            out.blit = true;
            out.left = int(std::clamp(std::ceil(left - 0.5), -far, far));
            out.top = int(std::clamp(std::ceil(top - 0.5), -far, far));
            x0 = out.left;
            y0 = out.top;
            x1 = x0 + image.width;
            y1 = y0 + image.height;
            if (const raster::TVisible* v = out.visible) {
                x1 = x0 + v->x1;
                y1 = y0 + v->y1;
                x0 += v->x0;
                y0 += v->y0;
            }
        }
    }
    if (!out.blit) {
        if (!PlaceQuad(c.matrix, image.width, image.height, c.handle_x, c.handle_y, c.x, c.y,
                       out.quad))
            return false;
        x0 = out.quad.x0;
        y0 = out.quad.y0;
        x1 = out.quad.x1;
        y1 = out.quad.y1;
    }
    out.x0 = int(std::max<long long>(x0, c.clip.x0));
    out.y0 = int(std::max<long long>(y0, c.clip.y0));
    out.x1 = int(std::min<long long>(x1, c.clip.x1));
    out.y1 = int(std::min<long long>(y1, c.clip.y1));
    return out.x0 < out.x1 && out.y0 < out.y1;
}

// Marks the pixels a placed image draw writes whatever lies below them: only
// plain copies (no rotation or scale), in solid every pixel of the frame; at
// full draw alpha in mask or alpha, the pixels of its fully opaque texels
// (each texel row's longest run of them), or of the whole frame when every
// texel passes the mask test.
void Hide(const TCommand& c, const TPlaced& p, TCoverage& coverage) {
    if (!p.blit) return;
    const long long x0 = std::max<long long>(p.left, c.clip.x0);
    const long long y0 = std::max<long long>(p.top, c.clip.y0);
    const long long x1 = std::min<long long>((long long)p.left + c.image->width, c.clip.x1);
    const long long y1 = std::min<long long>((long long)p.top + c.image->height, c.clip.y1);
    if (x0 >= x1 || y0 >= y1) return;
    const raster::TVisible* v = p.visible;
    if (c.mode == BLEND_SOLID ||
        (c.mode == BLEND_MASK && c.tint.a == 255 && v && v->min_alpha >= 128)) {
        coverage.Cover(int(x0), int(y0), int(x1), int(y1));
        return;
    }
    if (c.tint.a != 255 || !v || (c.mode != BLEND_MASK && c.mode != BLEND_ALPHA)) return;
    coverage.MarkRows(int(y0), int(y1));
    if (!v->opaque_bits.empty() && p.left >= c.clip.x0 &&
        (long long)p.left + c.image->width <= c.clip.x1) {
        // A narrow frame inside the clip: its rows' opaque bits shifted into place.
        for (long long y = y0; y < y1; ++y)
            coverage.CoverBits(int(y), p.left, v->opaque_bits[std::size_t(y - p.top)]);
        return;
    }
    for (long long y = y0; y < y1; ++y) {
        const std::size_t ty = std::size_t(y - p.top);
        const long long a = std::max<long long>(p.left + v->opaque_first[ty], x0);
        const long long b = std::min<long long>(p.left + v->opaque_end[ty], x1);
        if (a < b) coverage.CoverRow(int(y), int(a), int(b));
    }
}

raster::TTarget TargetOf(const TList& l, const TClip& clip, int y0, int y1) {
    raster::TTarget t;
    t.pixels = l.pixels;
    t.pitch = l.pitch;
    t.x0 = clip.x0;
    t.x1 = clip.x1;
    t.y0 = std::max(clip.y0, y0);
    t.y1 = std::min(clip.y1, y1);
    return t;
}

// An image draw made ready: the texels it blends (tinted or lit copies where
// they give the same pixels), found in the order the draws were made.
bool Ready(const TCommand& c, const TPlaced& p, TReady& r) {
    TImage& image = *c.image;
    const raster::TVisible* visible = p.visible;
    raster::TTint tint = c.tint;
    int mode = c.mode;
    // Mask, alpha and light drawing of nearest texels can take the frame with
    // the tint already applied, and then blend it untinted.
    const bool plain_tint = tint.white && tint.a == 255;
    const std::uint32_t* tinted = nullptr;
    if (visible && !plain_tint &&
        (mode == BLEND_MASK || mode == BLEND_ALPHA || mode == BLEND_LIGHT))
        tinted = raster::FrameTinted(image, c.frame, tint);
    // Light of nearest texels at a white opaque tint (the frame itself, or its
    // tinted copy) adds the same bytes at every draw: the star field's glows
    // and the flames take them ready-made.
    const std::uint32_t* lit = nullptr;
    if (mode == BLEND_LIGHT && visible && (plain_tint || tinted))
        lit = raster::FrameLit(image, c.frame, tinted);
    const bool filtered = (c.flags & IMAGE_FILTERED) != 0;
    r.clip = c.clip;
    r.y0 = p.y0;
    r.y1 = p.y1;
    r.filtered = filtered;
    if (p.blit) {
        raster::TTexture tex = raster::FrameLevel(image, c.frame, 0);
        if (!tex.texels) return false;
        // At full alpha the opaque texels of mask and alpha drawing hide
        // what lies below: the ground's cells become plain copies.
        const std::uint32_t* copies = nullptr;
        if (visible && tint.a == 255 && (mode == BLEND_ALPHA || mode == BLEND_MASK))
            copies = plain_tint ? tex.texels : tinted;
        if (lit) {
            tex.texels = lit;
            tint = raster::TTint{};
            mode = raster::kBlendLit;
        } else if (tinted) {
            tex.texels = tinted;
            tint = raster::TTint{};
        }
        r.op = TReady::Op::Blit;
        r.tex = tex;
        r.left = p.left;
        r.top = p.top;
        r.visible = visible;
        r.copies = copies;
    } else {
        const int level = (c.flags & IMAGE_MIPMAPPED) ? MipLevelFor(p.quad) : 0;
        raster::TTexture tex = raster::FrameLevel(image, c.frame, level);
        if (!tex.texels) return false;
        if (lit && level == 0 && !filtered) {
            tex.texels = lit;
            tint = raster::TTint{};
            mode = raster::kBlendLit;
        } else if (tinted && level == 0 && !filtered) {
            tex.texels = tinted;
            tint = raster::TTint{};
        }
        r.op = TReady::Op::Quad;
        r.tex = tex;
        r.quad = &p.quad;
        r.visible = level == 0 ? visible : nullptr;
    }
    r.mode = mode;
    r.tint = tint;
    return true;
}

void PlotPixel(const raster::TTarget& t, long long x, long long y, int mode,
               const raster::TTint& tint) {
    if (x < t.x0 || x >= t.x1 || y < t.y0 || y >= t.y1) return;
    raster::FillRun(t.pixels + y * t.pitch + x, 1, mode, tint);
}

// floor(a / b) for b > 0.
long long FloorDiv(long long a, long long b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// A line's pixels inside the target.  Ends sit on pixel centres; the end
// point goes through the matrix; the minor coordinate is rounded, ties upwards.
void RasterLine(const TCommand& c, const raster::TTarget& t) {
    const double ax = double(c.x) + c.handle_x + 0.5, ay = double(c.y) + c.handle_y + 0.5;
    const double ex = double(c.x2) - c.x, ey = double(c.y2) - c.y;
    const double bx = ax + ex * c.matrix.ix + ey * c.matrix.iy;
    const double by = ay + ex * c.matrix.jx + ey * c.matrix.jy;
    constexpr double kFar = double(1 << 28);
    for (double v : {ax, ay, bx, by})
        if (!(std::fabs(v) < kFar)) return;  // also NaN
    const long long X0 = (long long)std::floor(ax), Y0 = (long long)std::floor(ay);
    const long long X1 = (long long)std::floor(bx), Y1 = (long long)std::floor(by);
    const long long dx = X1 - X0, dy = Y1 - Y0;
    const long long n = std::max(std::llabs(dx), std::llabs(dy));
    const raster::TTint tint = c.tint;
    const int mode = c.mode;
    const long long last = c.last_pixel ? n : n - 1;  // last step plotted
    if (n == 0) {
        if (c.last_pixel) PlotPixel(t, X0, Y0, mode, tint);
        return;
    }
    if (dy == 0) {  // a scan line: one run
        long long lo = dx > 0 ? X0 : X0 - last, hi = dx > 0 ? X0 + last : X0;
        lo = std::max<long long>(lo, t.x0);
        hi = std::min<long long>(hi, t.x1 - 1);
        if (Y0 >= t.y0 && Y0 < t.y1 && lo <= hi)
            raster::FillRun(t.pixels + Y0 * t.pitch + lo, int(hi - lo + 1), mode, tint);
        return;
    }
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const long long major0 = x_major ? X0 : Y0, dmajor = x_major ? dx : dy;
    const long long minor0 = x_major ? Y0 : X0, dminor = x_major ? dy : dx;
    const long long step = dmajor > 0 ? 1 : -1;
    const long long clip_lo = x_major ? t.x0 : t.y0, clip_hi = (x_major ? t.x1 : t.y1) - 1;
    long long i0 = step > 0 ? clip_lo - major0 : major0 - clip_hi;
    long long i1 = step > 0 ? clip_hi - major0 : major0 - clip_lo;
    i0 = std::max(i0, 0LL);
    i1 = std::min(i1, last);
    for (long long i = i0; i <= i1; ++i) {
        const long long major = major0 + i * step;
        const long long minor = minor0 + FloorDiv(2 * i * dminor + n, 2 * n);
        if (x_major)
            PlotPixel(t, major, minor, mode, tint);
        else
            PlotPixel(t, minor, major, mode, tint);
    }
}

// Where the run of bits equal to `covered` that starts at x ends (at most w).
int RunEnd(const std::uint64_t* bits, int x, int w, bool covered) {
    while (x < w) {
        const int shift = x & 63, avail = 64 - shift;
        const std::uint64_t word = (covered ? bits[x >> 6] : ~bits[x >> 6]) >> shift;
        const std::uint64_t other = ~word;  // the bits past the word count as other
        const int n = other == 0 ? 64 : __builtin_ctzll(other);
        if (n < avail) return std::min(x + n, w);
        x += avail;
    }
    return w;
}

// The clear's rows of one band: all of them, or only the pixels that no
// later draw replaces.
void RasterClear(const TList& l, const TReady& r, int y0, int y1) {
    std::uint32_t* pixels = l.pixels;
    const int w = l.pitch;
    const std::uint32_t colour = r.command->colour;
    for (int y = y0; y < y1; ++y) {
        std::uint32_t* row = pixels + std::size_t(y) * std::size_t(w);
        if (!r.masked_clear) {
            std::fill(row, row + w, colour);
            continue;
        }
        // Runs of uncovered pixels, each filled at once.
        const std::uint64_t* bits = l.coverage.Row(y);
        for (int x = 0; x < w;) {
            const bool covered = (bits[x >> 6] >> (x & 63)) & 1;
            const int end = RunEnd(bits, x, w, covered);
            if (!covered) std::fill(row + x, row + end, colour);
            x = end;
        }
    }
}

void RunReady(const TList& l, const TReady& r, int y0, int y1) {
    if (r.y1 <= y0 || r.y0 >= y1) return;
    switch (r.op) {
        case TReady::Op::Blit:
            raster::BlitTexture(r.tex, r.left, r.top, r.mode, r.tint, TargetOf(l, r.clip, y0, y1),
                                r.visible, r.copies);
            break;
        case TReady::Op::Quad:
            raster::FillQuad(*r.quad, r.tex, r.filtered, r.mode, r.tint,
                             TargetOf(l, r.clip, y0, y1), r.visible);
            break;
        case TReady::Op::Line:
            RasterLine(*r.command, TargetOf(l, r.clip, y0, y1));
            break;
        case TReady::Op::Clear:
            RasterClear(l, r, std::max(r.y0, y0), std::min(r.y1, y1));
            break;
    }
}

void CompletePending() {
    Flush();
}

}  // namespace

void Record(TCommand&& command, const ImageRef& image) {
    TList& l = List();
    if (!l.hooked) {
        SetPendingDrawing(&CompletePending);
        l.hooked = true;
    }
    ++l.counts.recorded;
    // Everything before a clear of the whole buffer is hidden by it.
    if (command.kind == TCommand::Kind::Clear && l.options.skipping && !l.flushing) {
        l.counts.skipped += static_cast<long long>(l.pending.size());
        l.pending.clear();
        l.holding.clear();
    }
    // Draws of one image in a row (the sprite sheet's frames) share one hold.
    if (image && (l.holding.empty() || l.holding.back() != image)) l.holding.push_back(image);
    l.pending.push_back(std::move(command));
    if (!l.options.deferred || int(l.pending.size()) >= kMaxPending) Flush();
}

bool Pending() {
    return !List().pending.empty();
}

void Flush() {
    TList& l = List();
    if (l.pending.empty() || l.flushing) return;
    l.flushing = true;
    ++l.counts.flushes;
    std::swap(l.pending, l.working);
    std::swap(l.holding, l.held);
    const std::vector<TCommand>& cmds = l.working;
    const int n = int(cmds.size());
    const int w = ScreenWidth(), h = ScreenHeight();
    l.pixels = BackBufferPixels();
    l.pitch = w;
    l.placed.resize(std::size_t(n));
    l.skip.assign(std::size_t(n), 0);
    const bool skipping = l.options.skipping;
    if (skipping) l.coverage.Reset(w, h);

    // Backwards: what is hidden by draws after it is skipped; plain opaque
    // copies hide what lies below them.
    bool masked_clear = false;
    for (int i = n - 1; i >= 0; --i) {
        const TCommand& c = cmds[std::size_t(i)];
        if (c.kind == TCommand::Kind::Image) {
            TPlaced& p = l.placed[std::size_t(i)];
            if (!Place(c, p)) {
                l.skip[std::size_t(i)] = 1;
                continue;
            }
            if (!skipping) continue;
            if (l.coverage.Covered(p.x0, p.y0, p.x1, p.y1)) {
                l.skip[std::size_t(i)] = 1;
                ++l.counts.skipped;
            } else {
                Hide(c, p, l.coverage);
            }
        } else if (c.kind == TCommand::Kind::Clear && skipping) {
            // The clear hides everything before it (the list keeps none) and
            // fills only what later draws do not hide.
            if (l.coverage.All()) {
                l.skip[std::size_t(i)] = 1;
                ++l.counts.skipped;
            } else {
                masked_clear = l.coverage.Any();
            }
            for (int j = 0; j < i; ++j) l.skip[std::size_t(j)] = 1;
            l.counts.skipped += i;
            break;
        }
    }

    // Forwards, on this thread: the texels each draw needs, in the order made.
    l.ready.clear();
    for (int i = 0; i < n; ++i) {
        if (l.skip[std::size_t(i)]) continue;
        const TCommand& c = cmds[std::size_t(i)];
        TReady r;
        r.command = &c;
        r.mode = c.mode;
        r.tint = c.tint;
        r.clip = c.clip;
        switch (c.kind) {
            case TCommand::Kind::Image:
                if (!Ready(c, l.placed[std::size_t(i)], r)) continue;
                break;
            case TCommand::Kind::Line:
                r.op = TReady::Op::Line;
                r.y0 = c.clip.y0;
                r.y1 = c.clip.y1;
                break;
            case TCommand::Kind::Clear:
                r.op = TReady::Op::Clear;
                r.y0 = 0;
                r.y1 = h;
                r.masked_clear = masked_clear;
                break;
        }
        l.ready.push_back(r);
    }

    // The pixels, band by band; each band applies every draw in order.
    if (!l.ready.empty()) {
        band_pool::SetThreads(l.options.threads);
        const int threads = band_pool::Threads();
        const int rows =
            threads > 1
                ? std::max(16, (h + threads * kBandsPerThread - 1) / (threads * kBandsPerThread))
                : h;
        const int bands = (h + rows - 1) / rows;
        if (bands == 1) {
            for (const TReady& r : l.ready) RunReady(l, r, 0, h);
        } else {
            l.bands.resize(std::size_t(bands));
            for (auto& band : l.bands) band.clear();
            for (int i = 0; i < int(l.ready.size()); ++i) {
                const TReady& r = l.ready[std::size_t(i)];
                const int first = std::max(r.y0, 0) / rows;
                const int last = (std::min(r.y1, h) - 1) / rows;
                for (int b = first; b <= last; ++b) l.bands[std::size_t(b)].push_back(i);
            }
            band_pool::Run(bands, [&l, h, rows](int band) {
                const int y0 = band * rows, y1 = std::min(h, y0 + rows);
                for (const int i : l.bands[std::size_t(band)])
                    RunReady(l, l.ready[std::size_t(i)], y0, y1);
            });
        }
    }
    l.ready.clear();
    l.working.clear();
    l.held.clear();
    raster::ReleaseRetired();
    l.flushing = false;
}

void SetOptions(const TOptions& options) {
    Flush();
    List().options = options;
}

const TOptions& Options() {
    return List().options;
}

const TCounts& Counts() {
    return List().counts;
}

}  // namespace draw_list
