// The CPU's sharp scaler against the rule done the plain way: the picture
// really enlarged by the whole factor, then every output pixel sampled
// bilinearly from the four texels around its centre; bars black, the
// surface's padding untouched, bad sizes drawing nothing.
#include "services/platform/sdl/sharp_scaler.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <tuple>
#include <vector>

namespace {

using sdl_backend::Box;

constexpr int kW = 640, kH = 480;
constexpr std::uint32_t kPad = 0x12345678u;

std::vector<std::uint32_t> Noise(int w, int h, std::uint32_t seed) {
    std::vector<std::uint32_t> pic(std::size_t(w) * h);
    for (auto& p : pic) {
        seed = seed * 1103515245u + 12345u;
        p = (seed >> 8) | (seed << 24);
    }
    return pic;
}

// The texel under an output pixel's centre along one side and the share of
// the texel after it, rounded to 256ths: the sub-texel precision of the rule.
struct Sample {
    int texel, share;
};
Sample At(int i, int box, int big) {
    const std::int64_t pos = (2 * std::int64_t(i) + 1) * big - box;
    return {int(pos / (2 * box)), int(((pos % (2 * box)) * 256 + box) / (2 * box))};
}

int Channel(std::uint32_t p, int k) {
    return int(p >> (8 * k)) & 0xFF;
}

struct Reference {
    std::vector<std::uint32_t> out;
    std::vector<double> ideal;  // the same blend with exact weights, channel by channel
};

Reference Plain(const std::vector<std::uint32_t>& pic, int pw, int ph, int ow, int oh) {
    const Box box = sdl_backend::Letterbox(ow, oh, pw, ph);
    const int f = sdl_backend::SharpFactor(box, pw, ph);
    const int bw = pw * f, bh = ph * f;
    std::vector<std::uint32_t> big(std::size_t(bw) * bh);
    for (int y = 0; y < bh; ++y) {
        for (int x = 0; x < bw; ++x)
            big[std::size_t(y) * bw + x] = pic[std::size_t(y / f) * pw + x / f];
    }
    Reference ref;
    ref.out.assign(std::size_t(ow) * oh, 0xFF000000u);
    ref.ideal.assign(std::size_t(ow) * oh * 4, 0.0);
    for (int j = 0; j < box.h; ++j) {
        const Sample sy = At(j, box.h, bh);
        const int y0 = sy.texel, y1 = std::min(sy.texel + 1, bh - 1);
        const double fy = ((j + 0.5) * bh / box.h - 0.5) - sy.texel;
        for (int i = 0; i < box.w; ++i) {
            const Sample sx = At(i, box.w, bw);
            const int x0 = sx.texel, x1 = std::min(sx.texel + 1, bw - 1);
            const double fx = ((i + 0.5) * bw / box.w - 0.5) - sx.texel;
            const std::uint32_t t00 = big[std::size_t(y0) * bw + x0],
                                t01 = big[std::size_t(y0) * bw + x1],
                                t10 = big[std::size_t(y1) * bw + x0],
                                t11 = big[std::size_t(y1) * bw + x1];
            std::uint32_t v = 0;
            const std::size_t at = std::size_t(box.y + j) * ow + box.x + i;
            for (int k = 0; k < 4; ++k) {
                const int sum = Channel(t00, k) * (256 - sx.share) * (256 - sy.share) +
                                Channel(t01, k) * sx.share * (256 - sy.share) +
                                Channel(t10, k) * (256 - sx.share) * sy.share +
                                Channel(t11, k) * sx.share * sy.share;
                v |= std::uint32_t((sum + 32768) >> 16) << (8 * k);
                ref.ideal[at * 4 + k] = Channel(t00, k) * (1 - fx) * (1 - fy) +
                                        Channel(t01, k) * fx * (1 - fy) +
                                        Channel(t10, k) * (1 - fx) * fy + Channel(t11, k) * fx * fy;
            }
            ref.out[at] = v;
        }
    }
    return ref;
}

struct Size {
    int w, h;
};

void PrintTo(const Size& s, std::ostream* os) {
    *os << s.w << "x" << s.h;
}

class SharpScalerTest : public ::testing::TestWithParam<std::tuple<Size, bool>> {};

TEST_P(SharpScalerTest, MatchesThePlainRuleWithBlackBarsAndPaddingUntouched) {
    const auto [ow, oh] = std::get<0>(GetParam());
    const std::vector<std::uint32_t> pic = Noise(kW, kH, 99);
    const Reference ref = Plain(pic, kW, kH, ow, oh);
    sdl_backend::SharpScaler scaler;
    scaler.UsePlainLoops(std::get<1>(GetParam()));
    ASSERT_TRUE(scaler.Configure(kW, kH, ow, oh));
    const int pitch = ow + 3;  // surfaces may pad their rows
    std::vector<std::uint32_t> out(std::size_t(pitch) * oh, kPad);
    // Twice: the second frame must not lean on anything the first left.
    scaler.Scale(Noise(kW, kH, 7).data(), out.data(), pitch);
    scaler.Scale(pic.data(), out.data(), pitch);
    int wrong = 0, padding = 0;
    double worst = 0;
    for (int y = 0; y < oh; ++y) {
        for (int x = 0; x < ow; ++x) {
            const std::uint32_t got = out[std::size_t(y) * pitch + x];
            const std::size_t at = std::size_t(y) * ow + x;
            if (got != ref.out[at] && ++wrong <= 5) {
                ADD_FAILURE() << "at " << x << "," << y << ": " << std::hex << got << " not "
                              << ref.out[at];
            }
            for (int k = 0; k < 4 && got != 0xFF000000u; ++k)
                worst = std::max(worst, std::abs(Channel(got, k) - ref.ideal[at * 4 + k]));
        }
        for (int x = ow; x < pitch; ++x) padding += out[std::size_t(y) * pitch + x] != kPad;
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(padding, 0);
    // Weights in 256ths keep every channel within a level or so of the exact blend.
    EXPECT_LE(worst, 1.5);
}

// Each size with the vector loops (where the machine has them) and without.
INSTANTIATE_TEST_SUITE_P(
    Screens, SharpScalerTest,
    ::testing::Combine(::testing::Values(Size{1366, 768}, Size{1920, 1080},
                                         Size{1280, 960},   // exactly x2, no bars
                                         Size{2560, 1440},  // exactly x3, bars left and right
                                         Size{1280, 1024},  // bars above and below
                                         Size{640, 480}, Size{320, 240}, Size{701, 499},
                                         Size{1, 1}),
                       ::testing::Bool()));

TEST(SharpScaler, TapsStayInsideThePicture) {
    for (const int box : {1, 2, 479, 480, 481, 768, 1024, 1079, 1080, 4321}) {
        const Box b{0, 0, box, box};
        const int f = sdl_backend::SharpFactor(b, 480, 480);
        const std::vector<sdl_backend::Tap> taps = sdl_backend::SharpTaps(box, 480, f);
        ASSERT_EQ(int(taps.size()), box);
        for (const auto& t : taps) {
            ASSERT_GE(t.first, 0);
            ASSERT_LT(t.next, 480);
            ASSERT_TRUE(t.share == 0 ? t.next == t.first : t.next == t.first + 1) << box;
        }
        if (box < 479) continue;  // a tiny box samples the middle only
        // The edges of the picture reach the edges of the box.
        EXPECT_EQ(taps.front().first, 0);
        EXPECT_EQ(taps.back().next, 479);
    }
}

TEST(SharpScaler, BadSizesDrawNothing) {
    sdl_backend::SharpScaler scaler;
    std::vector<std::uint32_t> pic(16, 0xFFFFFFFFu), out(16, kPad);
    for (const Size s : {Size{0, 4}, Size{4, 0}, Size{-3, 4}}) {
        EXPECT_FALSE(scaler.Configure(4, 4, s.w, s.h));
        scaler.Scale(pic.data(), out.data(), 4);
    }
    EXPECT_FALSE(scaler.Configure(0, 4, 4, 4));
    scaler.Scale(pic.data(), out.data(), 4);
    EXPECT_TRUE(sdl_backend::SharpTaps(0, 480, 1).empty());
    EXPECT_TRUE(sdl_backend::SharpTaps(10, 0, 1).empty());
    for (const auto p : out) EXPECT_EQ(p, kPad);
}

}  // namespace
