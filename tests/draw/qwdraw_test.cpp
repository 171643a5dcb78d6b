// The drawing helper: the state one sip sets, and texts centred on the scale
// that sip recorded.
#include "draw/qwdraw.hpp"

#include <gtest/gtest.h>

#include "tests/services/graphics/font_support.hpp"

namespace {

class QwdrawTest : public TextTest {
   protected:
    // The game's font, bent so that "AAAA" is 100 pixels wide and lines are
    // 20 high: round figures for the centring arithmetic.
    void UseRoundFont() {
        SetCurrentFont(LoadGameFont());
        ASSERT_TRUE(CurrentFont());
        StringWidth("A");
        TImageGlyph* a = OnlyLoadedGlyph(*CurrentFont());
        ASSERT_TRUE(a);
        a->_advance = 25;
        CurrentFont()->line_height = 20;
        ASSERT_EQ(StringWidth("AAAA"), 100);
        ASSERT_EQ(FontHeight(), 20);
    }
};

TEST_F(QwdrawTest, SipSetsTheStateAndRecordsTheScale) {
    qwdraw_tag drawer;
    EXPECT_EQ(drawer.sip(4, 0.25f, 30.5f, 1.5f, 0.5f), 0);
    const TDrawState& state = DrawState();
    EXPECT_EQ(state.blend_mode, BLEND_LIGHT);
    EXPECT_FLOAT_EQ(state.color_alpha, 0.25f);
    EXPECT_FLOAT_EQ(state.tform_rot, 30.5f);
    EXPECT_FLOAT_EQ(state.tform_scale_x, 1.5f);
    EXPECT_FLOAT_EQ(state.tform_scale_y, 0.5f);
    EXPECT_EQ(drawer.txt_xs, 1.5f);
    EXPECT_EQ(drawer.txt_ys, 0.5f);
}

TEST_F(QwdrawTest, CentredTextUsesTheScaleOfTheLastSip) {
    UseRoundFont();
    qwdraw_tag drawer;
    drawer.sip(3, 0.5f, 0, 2, 2);
    const auto centred = Frame([&] { drawer.t3d("AAAA", 320, 240, 1); });
    const auto placed = Frame([] { DrawString("AAAA", 220, 220); });
    EXPECT_EQ(centred, placed);
    const LitBox box = BoxOfLit(centred, 640);
    EXPECT_GT(box.x1 - box.x0, 150) << "drawn at twice the size";
    EXPECT_EQ(Frame([&] { drawer.t3d("AAAA", 220, 220, 0); }), placed) << "not centred";

    // A direct change of scale later does not change the centring.
    drawer.sip(3, 1, 0, 2, 2);
    SetDrawScale(1, 1);
    EXPECT_EQ(Frame([&] { drawer.t3d("AAAA", 320, 240, 1); }),
              Frame([] { DrawString("AAAA", 220, 220); }));

    // Odd sizes at half scale centre on fractions of a pixel, in float.
    drawer.sip(3, 1, 0, 0.5f, 0.5f);
    CurrentFont()->line_height = 21;
    EXPECT_EQ(Frame([&] { drawer.t3d("AAA", 100, 100, 1); }),
              Frame([] { DrawString("AAA", 81.25f, 94.75f); }));
}

TEST_F(QwdrawTest, NewHelperDoesNotMoveCentredText) {
    UseRoundFont();
    SetBlend(BLEND_ALPHA);
    qwdraw_tag drawer;
    EXPECT_EQ(drawer.txt_xs, 0.0f);
    EXPECT_EQ(drawer.txt_ys, 0.0f);
    const auto placed = Frame([] { DrawString("AAAA", 320, 240); });
    ASSERT_GT(BoxOfLit(placed, 640).count, 0);
    EXPECT_EQ(Frame([&] { drawer.t3d("AAAA", 320, 240, 1); }), placed);
}

TEST_F(QwdrawTest, DrawingAFrameLeavesTheStateAsItWas) {
    auto image = std::make_shared<TImage>();
    image->width = image->height = 4;
    image->handle_x = image->handle_y = 2;
    image->pixmaps.assign(1, std::vector<std::uint32_t>(16, 0xFF808080u));
    qwdraw_tag drawer;
    drawer.sip(3, 0.75f, 12.345f, 1.25f, 3.5f);
    const TDrawState before = DrawState();
    const auto helper = Frame([&] { EXPECT_EQ(drawer.i3d(image, 50.5f, 60.25f, 0), 0); });
    const TDrawState& after = DrawState();
    EXPECT_EQ(after.tform_rot, 12.345f) << "the fraction of a degree is kept";
    EXPECT_EQ(after.tform_ix, before.tform_ix);
    EXPECT_EQ(after.tform_jy, before.tform_jy);
    EXPECT_EQ(after.blend_mode, before.blend_mode);
    EXPECT_EQ(after.color_alpha, before.color_alpha);
    EXPECT_EQ(helper, Frame([&] { DrawImageFrame(image, 50.5f, 60.25f, 0); }));
    EXPECT_GT(BoxOfLit(helper, 640).count, 0);
}

}  // namespace
