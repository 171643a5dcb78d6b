// raster_cache.cpp -- mip levels of image frames, built once and kept in the image.
#include "services/graphics/raster_cache.hpp"

#include <algorithm>
#include <memory>

namespace raster {
namespace {

struct TLevel {
    int w = 0, h = 0;
    std::vector<std::uint32_t> texels;
};

struct TFrameCache {
    const std::uint32_t* source = nullptr;  // the pixmap the levels were built from
    std::size_t size = 0;
    std::vector<TLevel> levels;         // levels 1, 2, ...
    std::unique_ptr<TVisible> visible;  // held apart: its address outlives a reset
    // Tinted copies for the last tints used (key: alpha << 24 | RRGGBB).
    struct TTinted {
        bool valid = false;
        std::uint32_t key = 0;
        std::vector<std::uint32_t> texels;
        std::vector<std::uint32_t> lit;  // FrameLit of texels, built on first use
    };
    TTinted tinted[2];
    std::vector<std::uint32_t> lit;  // FrameLit of the frame itself
    int next_tinted = 0;             // the slot replaced next
    bool asked = false;              // a tint was asked for before...
    std::uint32_t last_key = 0;      // ...this one
};

struct TImageCache {
    std::uint64_t revision = 0;  // the image's revision the frames were kept for
    std::vector<TFrameCache> frames;
};

// Replaced buffers, kept until ReleaseRetired.
struct TRetired {
    std::vector<std::vector<TFrameCache>> caches;
    std::vector<std::vector<std::uint32_t>> buffers;
};

TRetired& Retired() {
    static TRetired retired;
    return retired;
}

TImageCache& CacheOf(TImage& image) {
    if (!image.cache) image.cache = std::make_shared<TImageCache>();
    auto* cache = static_cast<TImageCache*>(image.cache.get());
    if (cache->revision != image.revision) {
        Retired().caches.push_back(std::move(cache->frames));  // a frame's pixels changed since
        cache->frames.clear();
        cache->revision = image.revision;
    }
    if (cache->frames.size() < image.pixmaps.size()) cache->frames.resize(image.pixmaps.size());
    return *cache;
}

// Each texel the rounded mean of the 2x2 block above it (edges repeated).
TLevel Halve(const std::uint32_t* src, int w, int h) {
    TLevel out;
    out.w = std::max(1, w / 2);
    out.h = std::max(1, h / 2);
    out.texels.resize(std::size_t(out.w) * out.h);
    for (int y = 0; y < out.h; ++y) {
        const int y0 = std::min(2 * y, h - 1), y1 = std::min(2 * y + 1, h - 1);
        for (int x = 0; x < out.w; ++x) {
            const int x0 = std::min(2 * x, w - 1), x1 = std::min(2 * x + 1, w - 1);
            const std::uint32_t p[4] = {src[y0 * w + x0], src[y0 * w + x1], src[y1 * w + x0],
                                        src[y1 * w + x1]};
            std::uint32_t texel = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                std::uint32_t sum = 2;
                for (std::uint32_t q : p) sum += (q >> shift) & 255;
                texel |= (sum / 4) << shift;
            }
            out.texels[std::size_t(y) * out.w + x] = texel;
        }
    }
    return out;
}

// The cache entry of a good frame, emptied when its pixmap was replaced.
TFrameCache* EntryOf(TImage& image, int frame) {
    if (frame < 0 || frame >= image.Frames() || image.width <= 0 || image.height <= 0)
        return nullptr;
    const std::vector<std::uint32_t>& pixmap = image.pixmaps[std::size_t(frame)];
    if (pixmap.size() != std::size_t(image.width) * std::size_t(image.height)) return nullptr;
    TFrameCache& entry = CacheOf(image).frames[std::size_t(frame)];
    if (entry.source != pixmap.data() || entry.size != pixmap.size()) {
        if (entry.source) {
            Retired().caches.emplace_back();
            Retired().caches.back().push_back(std::move(entry));
        }
        entry = TFrameCache{};
        entry.source = pixmap.data();
        entry.size = pixmap.size();
    }
    return &entry;
}

TVisible FindVisible(const std::uint32_t* px, int w, int h) {
    TVisible v;
    v.first.assign(std::size_t(h), 0);
    v.end.assign(std::size_t(h), 0);
    v.opaque_first.assign(std::size_t(h), 0);
    v.opaque_end.assign(std::size_t(h), 0);
    v.x0 = w;
    v.y0 = h;
    v.min_alpha = 255;
    for (std::size_t i = 0; i < std::size_t(w) * std::size_t(h); ++i)
        v.min_alpha = std::min(v.min_alpha, int(px[i] >> 24));
    for (int y = 0; y < h; ++y) {
        const std::uint32_t* row = px + std::size_t(y) * w;
        int first = 0, end = w;
        while (first < w && (row[first] >> 24) == 0) ++first;
        if (first == w) continue;
        while ((row[end - 1] >> 24) == 0) --end;
        int best = 0;
        for (int x = first; x < end;) {
            if ((row[x] >> 24) != 255) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < end && (row[x] >> 24) == 255) ++x;
            if (x - start > best) {
                best = x - start;
                v.opaque_first[std::size_t(y)] = std::uint16_t(start);
                v.opaque_end[std::size_t(y)] = std::uint16_t(x);
            }
        }
        v.first[std::size_t(y)] = std::uint16_t(first);
        v.end[std::size_t(y)] = std::uint16_t(end);
        v.x0 = std::min(v.x0, first);
        v.x1 = std::max(v.x1, end);
        v.y0 = std::min(v.y0, y);
        v.y1 = y + 1;
    }
    if (v.x1 == 0) v.x0 = v.y0 = 0;
    if (w <= 64) {
        v.opaque_bits.assign(std::size_t(h), 0);
        for (int y = 0; y < h; ++y)
            for (int x = v.opaque_first[std::size_t(y)]; x < v.opaque_end[std::size_t(y)]; ++x)
                v.opaque_bits[std::size_t(y)] |= 1ull << x;
    }
    return v;
}

}  // namespace

const TVisible* FrameVisible(TImage& image, int frame) {
    TFrameCache* entry = EntryOf(image, frame);
    if (!entry) return nullptr;
    // Rows are kept as 16-bit columns: wider frames are simply not trimmed.
    if (image.width > 65535) return nullptr;
    if (!entry->visible)
        entry->visible =
            std::make_unique<TVisible>(FindVisible(entry->source, image.width, image.height));
    return entry->visible.get();
}

const std::uint32_t* FrameTinted(TImage& image, int frame, const TTint& tint) {
    TFrameCache* entry = EntryOf(image, frame);
    if (!entry) return nullptr;
    const std::uint32_t key = tint.a << 24 | TintRgb(0xFFFFFFFFu, tint);
    for (const auto& slot : entry->tinted)
        if (slot.valid && slot.key == key) return slot.texels.data();
    const bool again = entry->asked && entry->last_key == key;
    entry->asked = true;
    entry->last_key = key;
    if (!again) return nullptr;
    auto& slot = entry->tinted[entry->next_tinted];
    entry->next_tinted ^= 1;
    if (slot.valid) {
        Retired().buffers.push_back(std::move(slot.texels));
        Retired().buffers.push_back(std::move(slot.lit));
    }
    slot.valid = true;
    slot.key = key;
    slot.lit = {};
    slot.texels = std::vector<std::uint32_t>(entry->size);
    for (std::size_t i = 0; i < entry->size; ++i) {
        const std::uint32_t texel = entry->source[i];
        std::uint32_t alpha = texel >> 24;
        if (tint.a != 255) alpha = Div255(alpha * tint.a);
        slot.texels[i] = alpha << 24 | TintRgb(texel, tint);
    }
    return slot.texels.data();
}

const std::uint32_t* FrameLit(TImage& image, int frame, const std::uint32_t* tinted) {
    TFrameCache* entry = EntryOf(image, frame);
    if (!entry) return nullptr;
    std::vector<std::uint32_t>* lit = nullptr;
    const std::uint32_t* texels = nullptr;
    if (!tinted) {
        lit = &entry->lit;
        texels = entry->source;
    } else {
        for (auto& slot : entry->tinted) {
            if (slot.valid && slot.texels.data() == tinted) {
                lit = &slot.lit;
                texels = tinted;
            }
        }
        if (!lit) return nullptr;
    }
    if (lit->size() != entry->size) {
        lit->resize(entry->size);
        for (std::size_t i = 0; i < entry->size; ++i) (*lit)[i] = LitTexel(texels[i]);
    }
    return lit->data();
}

int MipLevelCount(int w, int h) {
    int count = 0;
    while (w > 1 || h > 1) {
        w = std::max(1, w / 2);
        h = std::max(1, h / 2);
        ++count;
    }
    return count;
}

TTexture FrameLevel(TImage& image, int frame, int level) {
    TFrameCache* found = EntryOf(image, frame);
    if (!found) return {};
    TFrameCache& entry = *found;
    const std::vector<std::uint32_t>& pixmap = image.pixmaps[std::size_t(frame)];
    level = std::clamp(level, 0, MipLevelCount(image.width, image.height));
    if (level == 0) return {pixmap.data(), image.width, image.height};
    while (int(entry.levels.size()) < level) {
        const bool first = entry.levels.empty();
        const std::uint32_t* src = first ? pixmap.data() : entry.levels.back().texels.data();
        const int w = first ? image.width : entry.levels.back().w;
        const int h = first ? image.height : entry.levels.back().h;
        entry.levels.push_back(Halve(src, w, h));
    }
    const TLevel& got = entry.levels[std::size_t(level - 1)];
    return {got.texels.data(), got.w, got.h};
}

void ForgetFrame(TImage& image, int frame) {
    if (!image.cache || frame < 0) return;
    auto* cache = static_cast<TImageCache*>(image.cache.get());
    if (std::size_t(frame) < cache->frames.size()) {
        Retired().caches.emplace_back();
        Retired().caches.back().push_back(std::move(cache->frames[std::size_t(frame)]));
        cache->frames[std::size_t(frame)] = {};
    }
}

void ReleaseRetired() {
    TRetired& r = Retired();
    if (!r.caches.empty()) r.caches.clear();
    if (!r.buffers.empty()) r.buffers.clear();
}

}  // namespace raster
