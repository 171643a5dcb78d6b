// draw_list_scenes_test.cpp -- the raster benchmark's three lists (the story,
// a TNT blast, the star field with torches) drawn through the frame's list,
// with and without bands and skipping: the pixels of drawing each at once.
#include <gtest/gtest.h>

#include "assets/embedded.hpp"
#include "bench/raster_scenes.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/draw_list.hpp"
#include "services/platform/headless/headless.hpp"

namespace {

using namespace raster_scenes;

TEST(DrawListScenes, TheBenchmarkListsDrawAsDrawingAtOnce) {
    headless::Reset();
    register_embedded_assets();
    ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 2));
    ResetImageDefaults();
    ResetDrawState();
    SetDefaultImageFlags(9);
    const ImageRef sheet = LoadImageFile("incbin::graphx\\bodger2010_sf1.png", -1);
    const FontRef font = TImageFont::Load("incbin::fonts\\babyu___.ttf", 22, 4);
    ASSERT_TRUE(sheet && font);
    SetCurrentFont(font);
    const Sprites sprites(sheet);
    const DrawList lists[] = {StoryFrame(sprites), BlastFrame(sprites), StarsFrame(sprites)};
    const char* names[] = {"story", "tnt_blast", "stars_torches"};
    for (int i = 0; i < 3; ++i) {
        draw_list::SetOptions({false, false, 1});
        OursFrame(lists[i]);
        const std::vector<std::uint32_t> at_once(BackBuffer(), BackBuffer() + 640 * 480);
        for (const draw_list::TOptions& options :
             {draw_list::TOptions{true, false, 1}, draw_list::TOptions{true, true, 1},
              draw_list::TOptions{true, false, 2}, draw_list::TOptions{true, true, 2}}) {
            draw_list::SetOptions(options);
            OursFrame(lists[i]);
            EXPECT_TRUE(std::equal(at_once.begin(), at_once.end(), BackBuffer()))
                << names[i] << " skipping " << options.skipping << " threads " << options.threads;
        }
    }
    draw_list::SetOptions({});
    SetCurrentFont(nullptr);
    ResetImageDefaults();
    ResetDrawState();
    CloseGraphics();
}

}  // namespace
