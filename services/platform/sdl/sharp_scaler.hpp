// sharp_scaler.hpp -- the sharp enlargement done on the CPU, for screens
// whose renderer draws in software anyway: the picture enlarged by the whole
// factor with hard edges, then shrunk smoothly (two taps a side, weights in
// 256ths) to its letterbox, with black bars around it.  The same rule as the
// GPU's two passes, worked out in one pass with whole numbers only.
#pragma once

#include <cstdint>
#include <vector>

#include "services/platform/sdl/letterbox.hpp"

namespace sdl_backend {

// One output column (or row) of the box: the picture pixel it shows and the
// share, in 256ths, of the picture pixel after it (0: the first alone).
struct Tap {
    int first = 0;
    int next = 0;   // first + 1 where share > 0, else first
    int share = 0;  // 0..255
};

// The taps of the box_size output pixels along one side that show pic_size
// picture pixels enlarged by factor: the enlarged texels under each output
// pixel's centre and its linear weight, rounded to 256ths, each enlarged
// texel read as the picture pixel it copies (edges clamped).
std::vector<Tap> SharpTaps(int box_size, int pic_size, int factor);

class SharpScaler {
   public:
    // Makes the tables for a pic_w x pic_h picture in an out_w x out_h
    // output; false (and Scale does nothing) when a size is not positive.
    // Allocates: call it when a size changes, not per frame.
    bool Configure(int pic_w, int pic_h, int out_w, int out_h);

    // Writes every output pixel, bars included; the picture is packed (pitch
    // pic_w), out_pitch counts pixels.  Pixels are 32-bit with 8-bit
    // channels, each channel scaled on its own, so any channel order works.
    void Scale(const std::uint32_t* pic, std::uint32_t* out, int out_pitch);

    int out_w() const { return out_w_; }
    int out_h() const { return out_h_; }
    const Box& box() const { return box_; }

   private:
    // Picture rows row and row + 1 spread across the box's columns, each
    // channel the exact sum of its two taps (in 256ths of a level), in the
    // pixels' memory order; each row is spread once per frame at most.
    void SpreadPair(const std::uint32_t* pic, int row, const std::uint16_t** upper,
                    const std::uint16_t** lower);
    void Spread(const std::uint32_t* src, std::uint16_t* dst) const;
    // A picture row across the box's columns, rounded to whole levels.
    void PackRow(const std::uint32_t* src, std::uint32_t* dst) const;

    int pic_w_ = 0, pic_h_ = 0, out_w_ = 0, out_h_ = 0;
    Box box_;
    std::vector<Tap> cols_, rows_;
    std::vector<std::uint16_t> spread_[2];
    int spread_row_[2] = {-1, -1};
};

}  // namespace sdl_backend
