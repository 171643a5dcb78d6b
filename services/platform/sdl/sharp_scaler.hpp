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

    // The plain loops only, without the vector instructions (the tests and
    // the benchmark compare both; the pixels are the same).
    void UsePlainLoops(bool plain) { plain_ = plain; }

    int out_w() const { return out_w_; }
    int out_h() const { return out_h_; }
    const Box& box() const { return box_; }

   private:
    // A picture row spread across the box's columns, each channel the exact
    // sum of its two taps (in 256ths of a level), in the pixels' memory
    // order.  Rows come in order and each is spread once a frame: of the two
    // cached, the one holding row keep stays.
    const std::uint16_t* Spread(const std::uint32_t* pic, int row, int keep);
    void SpreadRow(const std::uint32_t* src, std::uint16_t* dst) const;

    bool plain_ = false;
    // Every column shows one picture pixel alone (whole factors): rows
    // showing one picture row are copied straight from the picture.
    bool columns_whole_ = false;
    bool columns_identity_ = false;  // ... and the box is the picture's width
    // Per column for the vector loop: where its two neighbouring picture
    // pixels are read, and their weights, four lanes each.
    std::vector<int> load_at_;
    std::vector<std::uint16_t> weights_;

    int pic_w_ = 0, pic_h_ = 0, out_w_ = 0, out_h_ = 0;
    Box box_;
    std::vector<Tap> cols_, rows_;
    std::vector<std::uint16_t> spread_[2];  // 4 channels per column
    int spread_row_[2] = {-1, -1};
};

}  // namespace sdl_backend
