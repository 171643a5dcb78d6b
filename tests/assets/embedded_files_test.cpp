// The splash logo, the pointer and the font, as the game finds them by name.
#include <gtest/gtest.h>

#include <string>

#include "assets/embedded.hpp"
#include "services/graphics/embedded.hpp"
#include "services/graphics/font.hpp"
#include "services/graphics/image.hpp"
#include "services/graphics/png.hpp"

namespace {

const char* const kNames[] = {"graphx\\qwlogo.png", "fonts\\babyu___.ttf", "graphx\\bgpointer.png",
                              "graphx\\bodger2010_sf1.png"};

TEST(EmbeddedFiles, AllFourResolveByTheirGameNames) {
    register_embedded_assets();
    for (const char* name : kNames) {
        const unsigned char* bytes = nullptr;
        std::size_t size = 0;
        EXPECT_TRUE(FindEmbedded(std::string("incbin::") + name, &bytes, &size)) << name;
        EXPECT_GT(size, 100u) << name;
    }
}

int SolidPixels(const ImageRef& image) {
    int n = 0;
    for (std::uint32_t p : image->pixmaps[0]) n += (p & 0xFFFFFFu) != 0;
    return n;
}

TEST(EmbeddedFiles, LogoAndPointerAreRgbPicturesOnBlack) {
    register_embedded_assets();
    for (const char* name : {"graphx\\qwlogo.png", "graphx\\bgpointer.png"}) {
        const unsigned char* bytes = nullptr;
        std::size_t size = 0;
        ASSERT_TRUE(FindEmbedded(std::string("incbin::") + name, &bytes, &size));
        TPngPicture picture;
        ASSERT_TRUE(DecodePng(bytes, size, picture)) << name;
        EXPECT_FALSE(picture.has_alpha) << name;
    }
    const ImageRef logo = LoadImageFile("incbin::graphx\\qwlogo.png", 0);
    ASSERT_NE(logo, nullptr);
    EXPECT_LE(logo->width, 640);
    EXPECT_LE(logo->height, 480);
    EXPECT_GT(SolidPixels(logo), logo->width * logo->height / 10);
    // Black corners: the logo fades out over the star field without a box.
    EXPECT_EQ(logo->pixmaps[0][0] & 0xFFFFFFu, 0u);
    EXPECT_EQ(logo->pixmaps[0].back() & 0xFFFFFFu, 0u);
}

TEST(EmbeddedFiles, PointerIsAboutTwentyFourSquareWithItsTipAtTheTopLeft) {
    register_embedded_assets();
    const ImageRef pointer = LoadImageFile("incbin::graphx\\bgpointer.png", 0);
    ASSERT_NE(pointer, nullptr);
    EXPECT_GE(pointer->width, 16);
    EXPECT_LE(pointer->width, 32);
    EXPECT_GE(pointer->height, 16);
    EXPECT_LE(pointer->height, 32);
    EXPECT_NE(pointer->pixmaps[0][0] & 0xFFFFFFu, 0u) << "the hot spot pixel is transparent";
    EXPECT_GT(SolidPixels(pointer), 60);
}

TEST(EmbeddedFiles, FontHasEveryCharacterOfTheGamesTexts) {
    register_embedded_assets();
    const FontRef font = TImageFont::Load("incbin::fonts\\babyu___.ttf", 22, 4);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->size, 22);
    std::string chars = " :+!.%'";
    for (char c = 'a'; c <= 'z'; ++c) chars += c;
    for (char c = 'A'; c <= 'Z'; ++c) chars += c;
    for (char c = '0'; c <= '9'; ++c) chars += c;
    for (char c : chars) {
        const TImageGlyph* glyph = FindGlyph(*font, static_cast<unsigned char>(c));
        ASSERT_NE(glyph, nullptr) << "no glyph for '" << c << "'";
        EXPECT_GT(glyph->_advance, 0) << "'" << c << "'";
        if (c != ' ') {
            EXPECT_NE(glyph->_image, nullptr) << "'" << c << "' draws nothing";
        }
    }
    // The longest caption fits the screen at full size.
    SetCurrentFont(font);
    EXPECT_LT(StringWidth("The Unsuspecting Bodger Presses The Button.."), 620);
    SetCurrentFont(nullptr);
}

}  // namespace
