// The real window on a private X server: Alt+Enter and F11 sent as real X
// key events switch full screen and window, checked with the window system,
// while the game's input carries on untouched; SIGHUP, the window's icon and
// class, and a display that is missing or refuses the window as the game
// binary meets them.
#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "services/input/input.hpp"
#include "services/platform/sdl/sdl_window.hpp"
#include "services/system/app.hpp"
#include "tests/platform/sdl/xvfb_support.hpp"

namespace {

constexpr const char* kTitle = "Toggle Test";
constexpr int kEnter = 13, kF11 = 122;

// Runs frames of the game's own loop for ms milliseconds: presents and
// processes the window events as each frame does.
void RunFrames(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        Cls();
        Flip(0);
        PollSystem();
        SDL_Delay(5);
    }
}

sdl_test::Geometry Settled(int ms) {
    RunFrames(ms);
    return sdl_test::WindowGeometry(kTitle);
}

class WindowTest : public ::testing::Test {
   protected:
    void SetUp() override {
        if (!server_.running()) GTEST_SKIP() << "Xvfb is not installed";
        int status = 0;
        sdl_test::Run("command -v xdotool xwininfo >/dev/null", &status);
        if (status != 0) GTEST_SKIP() << "xdotool or xwininfo is not installed";
        ResetInput();
        SetAppTitle(kTitle);
        std::string error;
        ASSERT_TRUE(OpenGraphics(640, 480, 32, 0, 2, &error)) << error;
        RunFrames(300);
    }
    void TearDown() override {
        CloseGraphics();
        ResetInput();
    }
    sdl_test::XServer server_{1920, 1080};
};

TEST_F(WindowTest, AltEnterAndF11ToggleWithoutTouchingTheGamesInput) {
    sdl_test::Geometry g = sdl_test::WindowGeometry(kTitle);
    EXPECT_EQ(g.w, 1920);
    EXPECT_EQ(g.h, 1080);
    ASSERT_TRUE(sdl_backend::IsFullScreen());

    // A walk key held through the switches, and the pointer somewhere.
    sdl_test::Run("xdotool keydown Left");
    RunFrames(200);
    ASSERT_TRUE(KeyIsDown(KEY_LEFT));
    EXPECT_EQ(KeyHitCount(KEY_LEFT), 1);

    sdl_test::Run("xdotool key alt+Return");
    g = Settled(600);
    EXPECT_FALSE(sdl_backend::IsFullScreen());
    EXPECT_EQ(g.w, 1280);  // x2 is the largest that fits 1920x1080
    EXPECT_EQ(g.h, 960);
    EXPECT_EQ(g.x, 320);
    EXPECT_EQ(g.y, 60);

    sdl_test::Run("xdotool key F11");
    g = Settled(600);
    EXPECT_TRUE(sdl_backend::IsFullScreen());
    EXPECT_EQ(g.w, 1920);
    EXPECT_EQ(g.h, 1080);
    EXPECT_EQ(g.x, 0);
    EXPECT_EQ(g.y, 0);

    // The game heard nothing of it: the held key is still held with no new
    // hit, the toggle keys never arrived, no suspend, no close.
    EXPECT_TRUE(KeyIsDown(KEY_LEFT));
    EXPECT_EQ(KeyHitCount(KEY_LEFT), 0);
    EXPECT_EQ(KeyHitCount(kEnter), 0);
    EXPECT_EQ(KeyHitCount(kF11), 0);
    EXPECT_FALSE(KeyIsDown(kEnter));
    EXPECT_FALSE(InputSuspended());
    EXPECT_FALSE(TakeCloseRequest());

    // Many switches in a row end where they began, still answering.
    for (int i = 0; i < 10; ++i) {
        sdl_test::Run("xdotool key alt+Return");
        RunFrames(60);
    }
    g = Settled(600);
    EXPECT_TRUE(sdl_backend::IsFullScreen());
    EXPECT_EQ(g.w, 1920);
    sdl_test::Run("xdotool keyup Left");
    RunFrames(200);
    EXPECT_FALSE(KeyIsDown(KEY_LEFT));
    EXPECT_EQ(KeyHitCount(kEnter), 0);
}

TEST_F(WindowTest, HangupIsACloseRequest) {
    EXPECT_FALSE(TakeCloseRequest());
    raise(SIGHUP);  // would end the process without the handler
    RunFrames(50);
    EXPECT_TRUE(TakeCloseRequest());
    EXPECT_FALSE(TakeCloseRequest());
}

// The game binary itself, in a scratch folder of its own.
class GameBinaryTest : public ::testing::Test {
   protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("bodger-sdl-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_ / "data");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Starts the game with the environment changes in env ("NAME=value" or
    // "-NAME" to unset); stderr goes to a file in the folder.
    pid_t Start(const std::vector<std::string>& env) {
        const pid_t pid = fork();
        if (pid == 0) {
            if (chdir(dir_.c_str()) != 0) _exit(126);
            for (const std::string& e : env) {
                if (e[0] == '-') {
                    unsetenv(e.c_str() + 1);
                } else {
                    putenv(const_cast<char*>(e.c_str()));
                }
            }
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            if (!freopen((dir_ / "stderr.txt").c_str(), "w", stderr)) _exit(126);
            execl(BODGER_GAME_BINARY, BODGER_GAME_BINARY, static_cast<char*>(nullptr));
            _exit(127);
        }
        return pid;
    }

    // The exit status, or -1 when the game has not ended within ms (it is
    // killed then), or -2 when it is still running and kill_late is false.
    static int Wait(pid_t pid, int ms, bool kill_late = true) {
        for (int waited = 0; waited < ms; waited += 20) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            SDL_Delay(20);
        }
        if (!kill_late) return -2;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return -1;
    }

    std::string Stderr() const {
        std::ifstream in(dir_ / "stderr.txt");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path dir_;
};

TEST_F(GameBinaryTest, HangupRunsTheExitSequenceAndKeepsTheBestScore) {
    sdl_test::XServer server(1366, 768);
    if (!server.running()) GTEST_SKIP() << "Xvfb is not installed";
    const pid_t pid = Start({});
    int found = 1;
    sdl_test::Run("timeout 20 xdotool search --sync --name 'Bodger 2010' >/dev/null", &found);
    ASSERT_EQ(found, 0) << Stderr();
    SDL_Delay(500);
    kill(pid, SIGHUP);
    EXPECT_EQ(Wait(pid, 15000), 0) << Stderr();
    EXPECT_EQ(std::filesystem::file_size(dir_ / "data" / "hiscore.dat"), 4u);
}

// Docks and task switchers know the window by its class, the one the
// desktop entry names, and show the icon it carries.
TEST_F(GameBinaryTest, TheWindowCarriesTheGamesIconAndClass) {
    sdl_test::XServer server(1024, 768);
    if (!server.running()) GTEST_SKIP() << "Xvfb is not installed";
    const pid_t pid = Start({"-SDL_VIDEO_X11_WMCLASS"});
    int found = 1;
    const std::string id = sdl_test::Run(
        "timeout 20 xdotool search --sync --name 'Bodger 2010' | head -n 1 | tr -d '\\n'", &found);
    ASSERT_EQ(found, 0) << Stderr();
    // The icon follows the window's first frames.
    std::string props;
    for (int tries = 0; tries < 100; ++tries) {
        props = sdl_test::Run("xprop -id " + id + " -notype WM_CLASS _NET_WM_ICON | head -n 2");
        if (props.find("Icon (") != std::string::npos) break;
        SDL_Delay(100);
    }
    EXPECT_NE(props.find("WM_CLASS = \"bodger2010\", \"bodger2010\""), std::string::npos) << props;
    EXPECT_NE(props.find("_NET_WM_ICON = \tIcon (64 x 64):"), std::string::npos) << props;
    SDL_Delay(500);
    kill(pid, SIGHUP);
    EXPECT_EQ(Wait(pid, 15000), 0) << Stderr();
}

// A display the game reaches but cannot open its window on: the player, who
// may have started it from a menu, is told in a box as well as on stderr,
// and the game ends with status 1 once the box is closed.
TEST_F(GameBinaryTest, AWindowThatCannotOpenIsAlsoToldInABox) {
    sdl_test::XServer server(1024, 768);
    if (!server.running()) GTEST_SKIP() << "Xvfb is not installed";
    // A visual the server does not have: the window cannot be made.
    const pid_t pid = Start({"SDL_VIDEO_X11_WINDOW_VISUALID=0x7fffffff", "-SDL_VIDEODRIVER"});
    // The box's window is found by its title in the tree; xdotool's search
    // does not list it.
    std::string id;
    for (int tries = 0; tries < 200 && id.empty(); ++tries) {
        id = sdl_test::Run(
            "xwininfo -root -tree | awk '/\"Bodger 2010\"/ {printf \"%s\", $1; exit}'");
        if (id.empty()) SDL_Delay(100);
    }
    if (id.empty()) {
        Wait(pid, 0);  // ends it
        FAIL() << "no box; stderr: " << Stderr();
    }
    EXPECT_EQ(Wait(pid, 300, false), -2) << "the game did not wait for the box";
    const std::string text = Stderr();
    EXPECT_EQ(text.rfind("bodger2010: cannot open the 640x480 display: ", 0), 0u) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    // The box hears keys once it is up; Return is its button's key.
    int status = -2;
    for (int tries = 0; tries < 50 && status == -2; ++tries) {
        sdl_test::Run("xdotool key --window " + id + " Return 2>/dev/null");
        status = Wait(pid, 200, false);
    }
    EXPECT_EQ(status, 1) << Stderr();
    EXPECT_FALSE(std::filesystem::exists(dir_ / "data" / "hiscore.dat"));
}

TEST_F(GameBinaryTest, NoDisplaySaysWhatToCheckInOneLine) {
    for (const std::vector<std::string>& env :
         {std::vector<std::string>{"-DISPLAY", "-WAYLAND_DISPLAY", "-SDL_VIDEODRIVER"},
          std::vector<std::string>{"DISPLAY=:987", "-WAYLAND_DISPLAY", "-SDL_VIDEODRIVER",
                                   "-XDG_RUNTIME_DIR"}}) {
        SCOPED_TRACE(env[0]);
        const pid_t pid = Start(env);
        EXPECT_EQ(Wait(pid, 10000), 1);
        const std::string text = Stderr();
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        EXPECT_NE(text.find("DISPLAY"), std::string::npos) << text;
        EXPECT_NE(text.find("WAYLAND_DISPLAY"), std::string::npos) << text;
        EXPECT_FALSE(std::filesystem::exists(dir_ / "data" / "hiscore.dat"));
    }
}

}  // namespace
