// font_support.hpp -- what the text tests share: the game's own TrueType
// font, an open headless display and a clean drawing state for each test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/embedded.hpp"
#include "services/graphics/font.hpp"

inline std::string GameFontPath() {
    return BODGER_SOURCE_DIR "/assets/fonts/Quicksand-Bold.ttf";
}

class TextTest : public ::testing::Test {
   protected:
    void SetUp() override {
        ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 2));
        ResetDrawState();
        SetCurrentFont(nullptr);
        ClearEmbedded();
    }
    void TearDown() override {
        SetCurrentFont(nullptr);
        ClearEmbedded();
        CloseGraphics();
    }

    FontRef LoadGameFont(int size = 22, int style = 4) {
        FontRef font = TImageFont::Load(GameFontPath(), size, style);
        EXPECT_TRUE(font) << GameFontPath();
        return font;
    }

    // The back buffer after clearing it and running draw().
    template <class Draw>
    std::vector<std::uint32_t> Frame(Draw draw) {
        Cls();
        draw();
        const std::uint32_t* pixels = BackBuffer();
        return {pixels, pixels + ScreenWidth() * ScreenHeight()};
    }

    // The one glyph loaded so far, or none when there are none or several.
    static TImageGlyph* OnlyLoadedGlyph(TImageFont& font) {
        TImageGlyph* found = nullptr;
        for (TImageGlyph& glyph : font._glyphs) {
            if (!glyph.loaded) continue;
            if (found) return nullptr;
            found = &glyph;
        }
        return found;
    }
};

// Bounding box of the pixels that are not black: x0, y0 inclusive, x1, y1 exclusive.
struct LitBox {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1, count = 0;
};
inline LitBox BoxOfLit(const std::vector<std::uint32_t>& frame, int width) {
    LitBox box;
    for (std::size_t i = 0; i < frame.size(); ++i) {
        if ((frame[i] & 0xFFFFFFu) == 0) continue;
        const int x = int(i % width), y = int(i / width);
        box.x0 = std::min(box.x0, x);
        box.y0 = std::min(box.y0, y);
        box.x1 = std::max(box.x1, x + 1);
        box.y1 = std::max(box.y1, y + 1);
        ++box.count;
    }
    return box;
}
