// screen_fixture.cpp -- set-up shared by the screen tests.
#include "tests/screens/screen_fixture.hpp"

#include <memory>

#include "app/globals.hpp"
#include "assets/embedded.hpp"
#include "draw/qwdraw.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/font.hpp"
#include "services/graphics/image.hpp"
#include "services/platform/headless/headless.hpp"
#include "services/system/app.hpp"

std::vector<std::string>* ScreenTest::log_ = nullptr;

namespace {

ImageRef solid_image(int w, int h, int frames, std::uint32_t colour) {
    ImageRef image = NewImage(w, h, frames);
    std::vector<std::uint32_t> px(w * h, colour);
    for (int f = 0; f < frames; f++) SetImageFramePixels(image, f, px.data(), false);
    return image;
}

SoundRef fake_sound(const std::string& name) {
    auto sound = std::make_shared<TSound>();
    sound->rate = 44100;
    sound->channels = 1;
    sound->path = name;
    sound->samples.assign(441, 0);
    return sound;
}

}  // namespace

std::uint32_t ScreenTest::tile_colour(int frame) {
    return 0xFF000000u | std::uint32_t(20 + 2 * frame) << 16 | 0x6040u;
}

std::uint32_t ScreenTest::pixel(int x, int y) {
    return BackBuffer()[y * ScreenWidth() + x] & 0xFFFFFFu;
}

int ScreenTest::lit(int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++) n += pixel(x, y) != 0;
    return n;
}

void ScreenTest::blank_tile(int frame) {
    std::vector<std::uint32_t> px(32 * 32, 0u);
    SetImageFramePixels(tiles, frame, px.data(), true);
}

void ScreenTest::key_press(int code) {
    headless::PushEvent({platform::EventType::KeyDown, code});
    headless::PushEvent({platform::EventType::KeyUp, code});
}

void ScreenTest::click_at(int x, int y) {
    headless::PushEvent({platform::EventType::MouseMove, 0, x, y});
    headless::PushEvent({platform::EventType::MouseDown, 1});
    headless::PushEvent({platform::EventType::MouseUp, 1});
}

ChannelRef ScreenTest::playing_music() {
    SoundRef music = fake_sound("thebodger");
    music->loop = true;
    ChannelRef channel = Cue(music);
    SetPaused(channel, false);
    return channel;
}

void ScreenTest::SetUp() {
    ResetServices();
    headless::Reset();
    reset_globals();
    ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 2));
    SetImageMaskColor(0, 0, 0);
    SetDefaultImageFlags(IMAGE_MASKED | IMAGE_DYNAMIC);

    drawer = std::make_shared<qwdraw_tag>();
    player = std::make_shared<player_tag>();
    SetAutoCentreHandle(true);
    tiles = NewImage(32, 32, 91);
    for (int f = 0; f < 91; f++) {
        std::vector<std::uint32_t> px(32 * 32, tile_colour(f));
        SetImageFramePixels(tiles, f, px.data(), false);
    }
    title_image = solid_image(352, 128, 1, 0xFF808080u);
    SetAutoCentreHandle(false);
    hud_top_image = solid_image(640, 32, 1, 0xFFFFFFFFu);
    hud_bottom_image = solid_image(640, 55, 1, 0xFFFFFFFFu);
    pointer_image = solid_image(8, 8, 1, 0xFFFFFFFFu);

    register_embedded_assets();
    game_font = TImageFont::Load("incbin::fonts\\babyu___.ttf", 22, 4);
    SetCurrentFont(game_font);

    for (auto [sound, name] : {std::pair{&snd_button, "button"},
                               {&snd_oh_no, "oh_no"},
                               {&snd_pickup, "pickup"},
                               {&snd_remote, "remote"},
                               {&snd_brick, "brick"},
                               {&snd_complete, "complete"},
                               {&snd_ughhhhh, "ughhhhh"}}) {
        *sound = fake_sound(name);
    }
    music_channel = AllocChannel();
    log_ = &sounds;
    SetSoundStartHook([](const TSound& s) { log_->push_back(s.path); });

    level_tag::initialize();
    game_state = STATE_PLAY;
    Cls();
}

void ScreenTest::TearDown() {
    SetSoundStartHook(nullptr);
    log_ = nullptr;
    reset_globals();
    ResetServices();
}
