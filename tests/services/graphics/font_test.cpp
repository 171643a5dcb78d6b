// Fonts: loading a TrueType face, the glyph images it makes, and how text is
// measured and laid out by the current font.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/services/graphics/font_support.hpp"

namespace {

using FontTest = TextTest;

TEST_F(FontTest, WithoutAFaceNothingIsDrawnAndLinesAre16High) {
    EXPECT_EQ(FontHeight(), 16);
    EXPECT_EQ(StringWidth("Score: 00"), 0);
    SetBlend(BLEND_ALPHA);
    const auto frame = Frame([] { DrawString("Score: 00", 10, 10); });
    EXPECT_EQ(BoxOfLit(frame, 640).count, 0);

    SetCurrentFont(LoadGameFont());
    EXPECT_NE(FontHeight(), 16);
    SetCurrentFont(nullptr);
    EXPECT_EQ(FontHeight(), 16);
}

TEST_F(FontTest, MissingOrBrokenFacesGiveNone) {
    EXPECT_FALSE(TImageFont::Load("no_such_dir\\no_such.ttf", 22, 4));
    EXPECT_FALSE(TImageFont::Load("incbin::fonts\\babyu___.ttf", 22, 4)) << "not registered";
    EXPECT_FALSE(TImageFont::Load(GameFontPath(), 0, 4));

    static const unsigned char kGarbage[] = "this is not a TrueType face at all";
    RegisterEmbedded("garbage.ttf", kGarbage, sizeof kGarbage);
    EXPECT_FALSE(TImageFont::Load("incbin::garbage.ttf", 22, 4));
    RegisterEmbedded("empty.ttf", kGarbage, 0);
    EXPECT_FALSE(TImageFont::Load("incbin::empty.ttf", 22, 4));
    { std::ofstream("font_test_garbage.ttf", std::ios::binary) << "\0\1\0\0garbage"; }
    EXPECT_FALSE(TImageFont::Load("font_test_garbage.ttf", 22, 4));
    std::filesystem::remove("font_test_garbage.ttf");
}

TEST_F(FontTest, TruncatedFacesFailOrDrawWithoutHarm) {
    std::string bytes;
    {
        std::ifstream in(GameFontPath(), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_GT(bytes.size(), 4096u);
    SetBlend(BLEND_ALPHA);
    for (const std::size_t length : {std::size_t(12), std::size_t(200), std::size_t(4096),
                                     bytes.size() / 2, bytes.size() - 100}) {
        // Each cut gets its own name and bytes that stay put while its face lives.
        const std::string name = "cut" + std::to_string(length) + ".ttf";
        RegisterEmbedded(name, reinterpret_cast<const unsigned char*>(bytes.data()), length);
        const FontRef font = TImageFont::Load("incbin::" + name, 22, 4);
        if (!font) continue;
        SetCurrentFont(font);
        EXPECT_GE(StringWidth("Game Over"), 0);
        Frame([] { DrawString("Quick, Press The Remote Button!", 10, 10); });
        SetCurrentFont(nullptr);
    }
}

TEST_F(FontTest, FileAndEmbeddedFaceHaveTheSameSaneMetrics) {
    std::string bytes;
    {
        std::ifstream in(GameFontPath(), std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_FALSE(bytes.empty());
    RegisterEmbedded("fonts\\babyu___.ttf", reinterpret_cast<const unsigned char*>(bytes.data()),
                     bytes.size());
    const FontRef from_file = LoadGameFont();
    const FontRef embedded = TImageFont::Load("Incbin::fonts\\babyu___.ttf", 22, 4);
    ASSERT_TRUE(from_file && embedded);
    EXPECT_TRUE(from_file->_data.empty());
    EXPECT_EQ(embedded->_data, bytes) << "a face from memory keeps its own copy of the bytes";

    for (const FontRef& font : {from_file, embedded}) {
        EXPECT_EQ(font->size, 22);
        EXPECT_GT(font->ascender, 10);
        EXPECT_LE(font->ascender, 30);
        EXPECT_LT(font->descender, 0);
        EXPECT_GE(font->line_height, font->ascender - font->descender - 1);
        EXPECT_LE(font->line_height, 40);
        EXPECT_EQ(font->_imageFlags, IMAGE_FILTERED | IMAGE_MIPMAPPED);
    }
    EXPECT_EQ(from_file->line_height, embedded->line_height);
    EXPECT_EQ(from_file->_glyphs.size(), embedded->_glyphs.size());
    SetCurrentFont(from_file);
    const int width = StringWidth("Realm: 01");
    SetCurrentFont(embedded);
    EXPECT_EQ(StringWidth("Realm: 01"), width);
    EXPECT_EQ(FontHeight(), embedded->line_height);
}

TEST_F(FontTest, SmoothGlyphsGetATransparentBorder) {
    const FontRef plain = LoadGameFont(22, 0);
    const FontRef smooth = LoadGameFont(22, 4);
    ASSERT_TRUE(plain && smooth);
    EXPECT_EQ(plain->_imageFlags, 0);
    SetCurrentFont(plain);
    const int plain_width = StringWidth("A");
    SetCurrentFont(smooth);
    EXPECT_EQ(StringWidth("A"), plain_width) << "the border does not change the advance";

    const TImageGlyph* p = OnlyLoadedGlyph(*plain);
    const TImageGlyph* s = OnlyLoadedGlyph(*smooth);
    ASSERT_TRUE(p && s && p->_image && s->_image);
    EXPECT_GT(p->_advance, 5);
    EXPECT_GT(p->_w, 5);
    EXPECT_LE(p->_w, 22);
    EXPECT_GT(p->_h, 10);
    EXPECT_LE(p->_h, plain->ascender);
    EXPECT_GT(p->_y, 0) << "a capital starts below the top of the line";
    EXPECT_EQ(s->_w, p->_w + 2);
    EXPECT_EQ(s->_h, p->_h + 2);
    EXPECT_EQ(s->_x, p->_x - 1);
    EXPECT_EQ(s->_y, p->_y - 1);

    for (const TImageGlyph* glyph : {p, s}) {
        const TImage& image = *glyph->_image;
        EXPECT_EQ(image.width, glyph->_w);
        EXPECT_EQ(image.height, glyph->_h);
        EXPECT_EQ(image.handle_x, 0);
        EXPECT_EQ(image.handle_y, 0);
        ASSERT_EQ(image.Frames(), 1);
        std::uint32_t max_alpha = 0;
        for (const std::uint32_t pixel : image.pixmaps[0]) {
            EXPECT_EQ(pixel & 0xFFFFFFu, 0xFFFFFFu) << "glyphs are white";
            max_alpha = std::max(max_alpha, pixel >> 24);
        }
        EXPECT_EQ(max_alpha, 255u) << "the stems of a bold capital are fully covered";
    }
    EXPECT_EQ(p->_image->flags, 0);
    EXPECT_EQ(s->_image->flags, IMAGE_FILTERED | IMAGE_MIPMAPPED);
    const auto& border = s->_image->pixmaps[0];
    for (int x = 0; x < s->_w; ++x) {
        EXPECT_EQ(border[x] >> 24, 0u);
        EXPECT_EQ(border[std::size_t(s->_h - 1) * s->_w + x] >> 24, 0u);
    }
    for (int y = 0; y < s->_h; ++y) {
        EXPECT_EQ(border[std::size_t(y) * s->_w] >> 24, 0u);
        EXPECT_EQ(border[std::size_t(y) * s->_w + s->_w - 1] >> 24, 0u);
    }
}

TEST_F(FontTest, DrawnGlyphLandsWhereItsMetricsSay) {
    SetCurrentFont(LoadGameFont(22, 0));
    const FontRef& font = CurrentFont();
    SetBlend(BLEND_ALPHA);
    SetColor(255, 0, 0);
    const auto frame = Frame([] { DrawString("A", 100, 100); });
    const TImageGlyph* a = OnlyLoadedGlyph(*font);
    ASSERT_TRUE(a);
    const LitBox box = BoxOfLit(frame, 640);
    // Inside the glyph's box, and filling it to within a faint edge pixel.
    EXPECT_GE(box.x0, 100 + a->_x);
    EXPECT_LE(box.x0, 100 + a->_x + 1);
    EXPECT_GE(box.y0, 100 + a->_y);
    EXPECT_LE(box.y0, 100 + a->_y + 1);
    EXPECT_LE(box.x1, 100 + a->_x + a->_w);
    EXPECT_GE(box.x1, 100 + a->_x + a->_w - 1);
    EXPECT_LE(box.y1, 100 + a->_y + a->_h);
    EXPECT_GE(box.y1, 100 + a->_y + a->_h - 1);
    EXPECT_GT(box.count, a->_w * a->_h / 5);
    for (const std::uint32_t pixel : frame) {
        EXPECT_EQ(pixel & 0xFFFFu, 0u) << "the draw colour tints the white glyph";
    }

    const ImageRef image = a->_image;
    Frame([] { DrawString("AAA", 0, 0); });
    EXPECT_EQ(a->_image, image) << "a glyph is rendered once, on first use";
}

TEST_F(FontTest, PenMovesByTheAdvanceAlongTheScaledAxis) {
    SetCurrentFont(LoadGameFont());
    SetBlend(BLEND_ALPHA);
    const float advance_a = float(StringWidth("A"));
    const auto together = Frame([] { DrawString("AV", 100, 100); });
    ASSERT_GT(BoxOfLit(together, 640).count, 0);
    const auto apart = Frame([&] {
        DrawString("A", 100, 100);
        DrawString("V", 100 + advance_a, 100);
    });
    EXPECT_EQ(together, apart);
    EXPECT_EQ(Frame([] { DrawString("A\x01V\x02", 100, 100); }), together)
        << "characters without a glyph are skipped and do not move the pen";

    SetDrawScale(2, 2);
    const auto scaled = Frame([] { DrawString("AV", 100, 100); });
    const auto scaled_apart = Frame([&] {
        DrawString("A", 100, 100);
        DrawString("V", 100 + 2 * advance_a, 100);
    });
    EXPECT_EQ(scaled, scaled_apart);
    EXPECT_GT(BoxOfLit(scaled, 640).y1 - 100, BoxOfLit(together, 640).y1 - 100);

    SetDrawScale(1, 1);
    SetOrigin(10, 5);
    const auto shifted = Frame([] { DrawString("AV", 90, 95); });
    SetOrigin(0, 0);
    EXPECT_EQ(shifted, together) << "the origin is added once";
}

// A bitmap face of our own with one strike, 10 pixels, and one glyph: an
// "A" 6 wide whose rows are the bytes below (top bit leftmost).
const char kBitmapFace[] =
    "STARTFONT 2.1\n"
    "FONT -bodger-test-medium-r-normal--10-100-75-75-c-60-iso8859-1\n"
    "SIZE 10 75 75\n"
    "FONTBOUNDINGBOX 6 10 0 -2\n"
    "STARTPROPERTIES 5\n"
    "FONT_ASCENT 8\n"
    "FONT_DESCENT 2\n"
    "PIXEL_SIZE 10\n"
    "CHARSET_REGISTRY \"ISO8859\"\n"
    "CHARSET_ENCODING \"1\"\n"
    "ENDPROPERTIES\n"
    "CHARS 1\n"
    "STARTCHAR A\n"
    "ENCODING 65\n"
    "SWIDTH 600 0\n"
    "DWIDTH 6 0\n"
    "BBX 6 10 0 -2\n"
    "BITMAP\n"
    "00\n30\n48\n84\n84\nFC\n84\n84\n00\n00\n"
    "ENDCHAR\n"
    "ENDFONT\n";
const int kBitmapRows[10] = {0x00, 0x30, 0x48, 0x84, 0x84, 0xFC, 0x84, 0x84, 0x00, 0x00};

TEST_F(FontTest, BitmapFaceFallsBackToItsSizeWithSolidPixels) {
    RegisterEmbedded("fonts\\tiny.bdf", reinterpret_cast<const unsigned char*>(kBitmapFace),
                     sizeof kBitmapFace - 1);
    EXPECT_FALSE(TImageFont::Load("incbin::fonts\\tiny.bdf", 9, 0))
        << "only smaller sizes are tried";
    const FontRef font = TImageFont::Load("incbin::fonts\\tiny.bdf", 22, 0);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->size, 10);
    EXPECT_EQ(font->ascender, 8);
    SetCurrentFont(font);
    EXPECT_EQ(StringWidth("AB"), 6) << "B has no glyph";

    SetBlend(BLEND_ALPHA);
    const auto frame = Frame([] { DrawString("A", 10, 10); });
    const TImageGlyph* a = OnlyLoadedGlyph(*font);
    ASSERT_TRUE(a && a->_image);
    EXPECT_EQ(a->_x, 0);
    EXPECT_EQ(a->_y, 0) << "the cell's top is the ascender";
    for (const std::uint32_t pixel : a->_image->pixmaps[0]) {
        EXPECT_TRUE(pixel >> 24 == 0 || pixel >> 24 == 255) << "one-bit coverage";
    }
    // Every set bit is one white pixel at (10 + column, 10 + row), nothing else.
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            const int row = y - 10, col = x - 10;
            const bool bit =
                row >= 0 && row < 10 && col >= 0 && col < 8 && (kBitmapRows[row] >> (7 - col) & 1);
            EXPECT_EQ(frame[std::size_t(y) * 640 + x], bit ? 0xFFFFFFFFu : 0xFF000000u)
                << x << "," << y;
        }
    }
}

TEST_F(FontTest, WidthIsTruncatedAfterEveryCharacter) {
    SetCurrentFont(LoadGameFont());
    EXPECT_EQ(StringWidth(""), 0);
    EXPECT_EQ(StringWidth("\x01\x02\x03"), 0);
    const int a = StringWidth("A");
    EXPECT_EQ(StringWidth("AAA"), 3 * a) << "advances are whole pixels";
    EXPECT_EQ(StringWidth("A\x01"), a);

    TImageGlyph* glyph = OnlyLoadedGlyph(*CurrentFont());
    ASSERT_TRUE(glyph);
    glyph->_advance = 2.6f;
    EXPECT_EQ(StringWidth("AAA"), 6) << "2.6 three times is 2, 4, 6, not 7";
    SetDrawScale(3, 3);
    EXPECT_EQ(StringWidth("AAA"), 6) << "unscaled";
}

}  // namespace
