// image.hpp -- images made of equally sized frames with a drawing handle.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum : int {
    IMAGE_MASKED = 1,     // mask-colour pixels become transparent when put into a frame
    IMAGE_FILTERED = 2,   // bilinear filtering when drawn scaled or rotated
    IMAGE_MIPMAPPED = 4,  // mip-mapped when minified
    IMAGE_DYNAMIC = 8,    // frames may be replaced (always added by NewImage)
};

struct TImage {
    int width = 0, height = 0;  // size of every frame
    int flags = 0;
    int mask_r = 0, mask_g = 0, mask_b = 0;  // mask colour captured at creation
    float handle_x = 0, handle_y = 0;        // frame point placed at the draw position
    // One 0xAARRGGBB pixel buffer per frame, width x height, row by row.
    std::vector<std::vector<std::uint32_t>> pixmaps;
    // Internal caches of the rasteriser (mip levels, solid spans) may live
    // beside the pixmaps; the graphics service owns their layout.
    std::shared_ptr<void> cache;
    std::uint64_t revision = 0;  // counts the changes of any frame's pixels
    int Frames() const { return int(pixmaps.size()); }
};
using ImageRef = std::shared_ptr<TImage>;

ImageRef NewImage(int width, int height, int frames, int flags = -1);  // -1: default flags
ImageRef LoadImageFile(const std::string& path, int flags = -1);       // PNG, file or "incbin::"
void CentreHandle(const ImageRef& image);
void SetImageHandle(const ImageRef& image, float x, float y);
void SetAutoCentreHandle(bool on);
void SetDefaultImageFlags(int flags);  // -1 leaves them unchanged
int DefaultImageFlags();
void SetImageMaskColor(int red, int green, int blue);
// Copies the width x height block of the back buffer at (x, y) into a frame,
// masked if the image is IMAGE_MASKED; parts outside the buffer read black.
void GrabImageFrame(const ImageRef& image, int x, int y, int frame);
// Replaces a frame's pixels from an opaque 0xRRGGBB or 0xAARRGGBB buffer,
// masking it like a load when has_alpha is false and the image is masked.
void SetImageFramePixels(const ImageRef& image, int frame, const std::uint32_t* pixels,
                         bool has_alpha);
// After writing a frame's pixmap in place: drops what drawing kept from it.
// Draws already made of the frame are rasterised when the back buffer is read,
// so complete them (CompleteDrawing) before writing it in place.
void FrameChanged(const ImageRef& image, int frame);
void ResetImageDefaults();  // default flags 3, mask (0,0,0), auto-centre off
