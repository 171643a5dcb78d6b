// Which key events make the window toggle and which reach the game, fed as
// SDL events to the back end under SDL's dummy driver.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "services/platform/platform.hpp"
#include "services/platform/sdl/sdl_window.hpp"

namespace {

class ToggleKeysTest : public ::testing::Test {
   protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        std::string error;
        ASSERT_TRUE(platform::OpenWindow(640, 480, true, "keys", &error)) << error;
        Drain();
    }
    void TearDown() override {
        platform::CloseWindow();
        unsetenv("SDL_VIDEODRIVER");
    }

    static std::vector<platform::Event> Drain() {
        std::vector<platform::Event> got;
        platform::Event e;
        while (platform::PollEvent(e)) {
            if (e.type == platform::EventType::KeyDown || e.type == platform::EventType::KeyUp) {
                got.push_back(e);
            }
        }
        return got;
    }

    static void Key(Uint32 type, SDL_Scancode code, Uint16 mod, bool repeat = false) {
        SDL_Event e{};
        e.type = type;
        e.key.type = type;
        e.key.windowID = SDL_GetWindowID(sdl_backend::Window());
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.repeat = repeat ? 1 : 0;
        e.key.keysym.scancode = code;
        e.key.keysym.sym = SDL_GetKeyFromScancode(code);
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }
};

TEST_F(ToggleKeysTest, AltEnterAndF11ToggleAndNeverReachTheGame) {
    ASSERT_TRUE(sdl_backend::IsFullScreen());
    Key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_LALT);
    Key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_LALT, true);  // auto-repeat: one switch
    Key(SDL_KEYUP, SDL_SCANCODE_RETURN, 0);                  // Alt let go first
    EXPECT_TRUE(Drain().empty());
    EXPECT_FALSE(sdl_backend::IsFullScreen());
    Key(SDL_KEYDOWN, SDL_SCANCODE_F11, 0);
    Key(SDL_KEYUP, SDL_SCANCODE_F11, 0);
    EXPECT_TRUE(Drain().empty());
    EXPECT_TRUE(sdl_backend::IsFullScreen());
    Key(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER, KMOD_RALT);
    Key(SDL_KEYUP, SDL_SCANCODE_KP_ENTER, KMOD_RALT);
    EXPECT_TRUE(Drain().empty());
    EXPECT_FALSE(sdl_backend::IsFullScreen());
}

TEST_F(ToggleKeysTest, EnterAloneOrHeldBeforeAltStaysTheGames) {
    Key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, 0);
    Key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_LALT, true);  // Alt joins a held Enter
    Key(SDL_KEYUP, SDL_SCANCODE_RETURN, KMOD_LALT);
    const std::vector<platform::Event> got = Drain();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].type, platform::EventType::KeyDown);
    EXPECT_EQ(got[0].code, 13);
    EXPECT_EQ(got[1].type, platform::EventType::KeyUp);  // never left stuck down
    EXPECT_EQ(got[1].code, 13);
    EXPECT_TRUE(sdl_backend::IsFullScreen());
}

}  // namespace
