// screen_fixture.cpp -- set-up shared by the screen tests.
#include "tests/screens/screen_fixture.hpp"

#include "app/globals.hpp"
#include "assets/embedded.hpp"
#include "draw/qwdraw.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "services/graphics/display.hpp"
#include "services/lifecycle.hpp"
#include "services/platform/headless/headless.hpp"
#include "services/system/app.hpp"

namespace {

std::vector<std::string>* sound_log = nullptr;

// Frame f is opaque tile_colour(f) with the bits of `base` set over it.
ImageRef solid_image(int w, int h, int frames, std::uint32_t base) {
    ImageRef image = NewImage(w, h, frames);
    for (int f = 0; f < frames; f++) {
        std::vector<std::uint32_t> px(w * h, 0xFF000000u | base | ScreenTest::tile_colour(f));
        SetImageFramePixels(image, f, px.data(), false);
    }
    return image;
}

void push(platform::EventType type, int code, int x = 0, int y = 0) {
    headless::PushEvent({type, code, x, y});
}

}  // namespace

std::uint32_t ScreenTest::tile_colour(int f) {
    return std::uint32_t(20 + 2 * f) << 16 | 0x6040;
}
std::uint32_t ScreenTest::pixel(int x, int y) {
    return BackBuffer()[y * 640 + x] & 0xFFFFFFu;
}

int ScreenTest::lit(int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) n += pixel(x, y) != 0;
    return n;
}

void ScreenTest::key_press(int code) {
    push(platform::EventType::KeyDown, code);
    push(platform::EventType::KeyUp, code);
}

void ScreenTest::click_at(int x, int y) {
    push(platform::EventType::MouseMove, 0, x, y);
    push(platform::EventType::MouseDown, 1);
    push(platform::EventType::MouseUp, 1);
}

void ScreenTest::SetUp() {
    ResetServices();
    headless::Reset();
    reset_globals();
    ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 2));
    drawer = std::make_shared<qwdraw_tag>();
    player = std::make_shared<player_tag>();
    SetAutoCentreHandle(true);
    tiles = solid_image(32, 32, 91, 0);
    SetAutoCentreHandle(false);
    hud_bottom_image = solid_image(640, 55, 1, 0xFFFFFF);
    register_embedded_assets();
    game_font = TImageFont::Load("incbin::fonts\\babyu___.ttf", 22, 4);
    SetCurrentFont(game_font);
    for (auto [sound, name] : {std::pair{&snd_button, "button"},
                               {&snd_oh_no, "oh_no"},
                               {&snd_remote, "remote"},
                               {&snd_brick, "brick"},
                               {&snd_complete, "complete"},
                               {&snd_ughhhhh, "ughhhhh"}}) {
        *sound = std::make_shared<TSound>(TSound{44100, 1, false, name, {0, 0}});
    }
    music_channel = AllocChannel();
    sound_log = &sounds;
    SetSoundStartHook([](const TSound& s) { sound_log->push_back(s.path); });
    level_tag::initialize();
    game_state = STATE_PLAY;
}

void ScreenTest::TearDown() {
    SetSoundStartHook(nullptr);
    reset_globals();
    ResetServices();
}
