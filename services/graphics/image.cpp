// image.cpp -- images of equally sized frames: creating, loading, handles, and
// filling frames from pixel buffers or the back buffer, masked.
#include "services/graphics/image.hpp"

#include <algorithm>

#include "services/graphics/back_buffer.hpp"
#include "services/graphics/embedded.hpp"
#include "services/graphics/png.hpp"

namespace {

struct TImageDefaults {
    int flags = IMAGE_MASKED | IMAGE_FILTERED;
    int mask_r = 0, mask_g = 0, mask_b = 0;
    bool auto_centre = false;
};

TImageDefaults& Defaults() {
    static TImageDefaults defaults;
    return defaults;
}

// A w x h image of that many frames, or none for sizes no buffer can hold.
ImageRef MakeImage(int width, int height, int frames, int flags) {
    if (width <= 0 || height <= 0 || frames < 0) return nullptr;
    const std::size_t pixels = std::size_t(width) * std::size_t(height);
    if (pixels > (std::size_t(1) << 28) / std::max<std::size_t>(frames, 1)) return nullptr;
    auto image = std::make_shared<TImage>();
    image->width = width;
    image->height = height;
    image->flags = flags == -1 ? Defaults().flags : flags;
    image->mask_r = Defaults().mask_r;
    image->mask_g = Defaults().mask_g;
    image->mask_b = Defaults().mask_b;
    image->pixmaps.assign(std::size_t(frames), std::vector<std::uint32_t>(pixels, 0));
    if (Defaults().auto_centre) CentreHandle(image);
    return image;
}

// Mask-colour pixels become transparent, coloured as the mean of their
// unmasked 3x3 neighbours so that filtering never pulls the mask colour in.
void MaskPixels(std::vector<std::uint32_t>& px, int w, int h, std::uint32_t mask) {
    const std::vector<std::uint32_t> src = px;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t here = src[std::size_t(y) * w + x] & 0xFFFFFFu;
            std::uint32_t& out = px[std::size_t(y) * w + x];
            if (here != mask) {
                out = 0xFF000000u | here;
                continue;
            }
            std::uint32_t r = 0, g = 0, b = 0, n = 0;
            for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, h - 1); ++ny) {
                for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, w - 1); ++nx) {
                    const std::uint32_t c = src[std::size_t(ny) * w + nx] & 0xFFFFFFu;
                    if (c == mask) continue;
                    r += c >> 16;
                    g += (c >> 8) & 255;
                    b += c & 255;
                    ++n;
                }
            }
            out = n ? (r / n) << 16 | (g / n) << 8 | (b / n) : 0;
        }
    }
}

std::uint32_t MaskOf(const TImage& image) {
    return std::uint32_t(image.mask_r & 255) << 16 | std::uint32_t(image.mask_g & 255) << 8 |
           std::uint32_t(image.mask_b & 255);
}

// Stores a frame's new pixels: kept as they are with alpha, else masked or opaque.
void StoreFrame(TImage& image, int frame, std::vector<std::uint32_t> px, bool has_alpha) {
    // Draws already made of the old pixels are rasterised with them.
    CompletePendingDrawing();
    if (!has_alpha) {
        if (image.flags & IMAGE_MASKED) {
            MaskPixels(px, image.width, image.height, MaskOf(image));
        } else {
            for (std::uint32_t& p : px) p |= 0xFF000000u;
        }
    }
    image.pixmaps[std::size_t(frame)] = std::move(px);
    ++image.revision;  // what drawing kept from the old pixels is stale
}

}  // namespace

ImageRef NewImage(int width, int height, int frames, int flags) {
    return MakeImage(width, height, frames,
                     (flags == -1 ? Defaults().flags : flags) | IMAGE_DYNAMIC);
}

ImageRef LoadImageFile(const std::string& path, int flags) {
    std::string bytes;
    if (!ReadResource(path, bytes)) return nullptr;
    TPngPicture picture;
    if (!DecodePng(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), picture))
        return nullptr;
    ImageRef image = MakeImage(picture.width, picture.height, 1, flags);
    if (!image) return nullptr;
    StoreFrame(*image, 0, std::move(picture.pixels), picture.has_alpha);
    return image;
}

void CentreHandle(const ImageRef& image) {
    if (!image) return;
    image->handle_x = image->width * 0.5f;
    image->handle_y = image->height * 0.5f;
}

void SetImageHandle(const ImageRef& image, float x, float y) {
    if (!image) return;
    image->handle_x = x;
    image->handle_y = y;
}

void SetAutoCentreHandle(bool on) {
    Defaults().auto_centre = on;
}

void SetDefaultImageFlags(int flags) {
    if (flags != -1) Defaults().flags = flags;
}

int DefaultImageFlags() {
    return Defaults().flags;
}

void SetImageMaskColor(int red, int green, int blue) {
    Defaults().mask_r = std::clamp(red, 0, 255);
    Defaults().mask_g = std::clamp(green, 0, 255);
    Defaults().mask_b = std::clamp(blue, 0, 255);
}

void GrabImageFrame(const ImageRef& image, int x, int y, int frame) {
    if (!image || frame < 0 || frame >= image->Frames()) return;
    const int w = image->width, h = image->height;
    const int sw = ScreenWidth(), sh = ScreenHeight();
    const std::uint32_t* screen = BackBuffer();
    std::vector<std::uint32_t> px(std::size_t(w) * h, 0);  // outside the buffer reads black
    for (int row = 0; row < h; ++row) {
        const long long sy = (long long)y + row;
        if (sy < 0 || sy >= sh) continue;
        const long long x0 = std::max<long long>(x, 0),
                        x1 = std::min<long long>((long long)x + w, sw);
        for (long long sx = x0; sx < x1; ++sx)
            px[std::size_t(row) * w + std::size_t(sx - x)] = screen[sy * sw + sx] & 0xFFFFFFu;
    }
    StoreFrame(*image, frame, std::move(px), false);
}

void SetImageFramePixels(const ImageRef& image, int frame, const std::uint32_t* pixels,
                         bool has_alpha) {
    if (!image || !pixels || frame < 0 || frame >= image->Frames()) return;
    std::vector<std::uint32_t> px(pixels, pixels + std::size_t(image->width) * image->height);
    StoreFrame(*image, frame, std::move(px), has_alpha);
}

void FrameChanged(const ImageRef& image, int frame) {
    if (image && frame >= 0 && frame < image->Frames()) ++image->revision;
}

void ResetImageDefaults() {
    Defaults() = TImageDefaults{};
}
