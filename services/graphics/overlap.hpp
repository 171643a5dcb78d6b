// overlap.hpp -- whether two drawn frames touch, to the pixel.
#pragma once

#include "services/graphics/image.hpp"

// Pixel-accurate: true when some screen pixel is solid (alpha >= 128) in both
// frames, each placed as DrawImageFrame would place it with the current transform.
bool ImagesOverlap(const ImageRef& image1, float x1, float y1, int frame1, const ImageRef& image2,
                   float x2, float y2, int frame2);
