// letterbox.hpp -- where the 640x480 picture sits on the screen and how
// screen positions map back to it.  All sizes are in real output pixels
// (HiDPI screens included) unless said otherwise.
#pragma once

namespace sdl_backend {

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
};

// The largest box of the picture's aspect that fits the output, centred,
// black bars around it.
Box Letterbox(int out_w, int out_h, int pic_w, int pic_h);

// The whole factor the picture is first enlarged by (nearest neighbour) so
// that it covers the box; the box is then reached by smooth shrinking.  1
// when the box is no larger than the picture.
int SharpFactor(const Box& box, int pic_w, int pic_h);

// The picture pixel under an output position, clamped to the picture, so a
// pointer in the bars reads the nearest edge.
int PicturePixel(double out_pos, int box_pos, int box_size, int pic_size);

// The output position at the middle of picture pixel p, the inverse of
// PicturePixel wherever a picture pixel covers at least one output pixel.
double OutputPosition(int p, int box_pos, int box_size, int pic_size);

// The first size of the window: the largest whole multiple of the picture
// that fits the usable area, at least the picture itself.
void WindowedSize(int usable_w, int usable_h, int pic_w, int pic_h, int* w, int* h);

}  // namespace sdl_backend
