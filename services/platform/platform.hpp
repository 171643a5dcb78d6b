// platform.hpp -- the seam: the one small interface between the runtime and a
// back end (sdl/ for the real window, headless/ for scripted runs, web/ for
// the browser).  A back end only moves bytes and events; every rule lives
// above this line.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Window events, already in the game's terms: keys as virtual key codes
// (27 Escape, 32 Space, 37..40 arrows, 160..165 left/right Shift, Control,
// Alt), mouse buttons 1 left, 2 right, 3 middle, positions in 640x480
// screen pixels.
enum class EventType {
    KeyDown,      // code: key (auto-repeats are not sent)
    KeyUp,        // code: key
    Char,         // code: character typed
    MouseDown,    // code: button
    MouseUp,      // code: button
    MouseMove,    // x, y: new pointer position (not clamped by the seam)
    Wheel,        // code: wheel steps
    FocusLost,    // the window was deactivated
    FocusGained,  // the window was activated
    Close,        // the close box was used, or SIGINT/SIGTERM arrived
};

struct Event {
    EventType type;
    int code = 0;
    int x = 0;
    int y = 0;
};

// ---- Display -------------------------------------------------------------
// Opens the window: fullscreen means a borderless full-screen-desktop
// window showing the width x height back buffer scaled to fit, aspect kept.
// On failure returns false and puts the cause in *error.
bool OpenWindow(int width, int height, bool fullscreen, const std::string& title,
                std::string* error);
void CloseWindow();
void SetWindowTitle(const std::string& title);
// The open window's icon for the desktop (title bar, docks, task switchers):
// width x height pixels 0xAARRGGBB.  Back ends without one ignore it.
void SetWindowIcon(const std::uint32_t* pixels, int width, int height);
// A fatal message where a player who never sees stderr will: a message box
// when a display is reachable, closed by the player before this returns.
// False when none could be shown (no display; the headless and browser back
// ends never show one).
bool ShowErrorBox(const std::string& title, const std::string& text);
// Shows a width x height frame of 0xAARRGGBB pixels (alpha ignored).
// sync 1: waits for the vertical blank; 0: does not wait.
void Present(const std::uint32_t* pixels, int width, int height, int sync);

// ---- Events --------------------------------------------------------------
bool PollEvent(Event& out);  // next pending window event; false when none
// Blocks briefly until events may be pending (the waits of the suspend loop
// and of the input flush).  The headless back end delivers the next batch of
// scripted events instead, and ends the run when none is left.
void WaitEvents();
void WarpMouse(int x, int y);  // moves the pointer; a MouseMove event follows
void SetCursorVisible(bool visible);

// ---- Clock ---------------------------------------------------------------
std::uint32_t Millis();  // millisecond counter since boot, wraps at 2^32
void Sleep(int ms);      // ms <= 0 returns at once

// ---- Joystick ------------------------------------------------------------
struct JoyReading {
    std::uint32_t buttons = 0;  // bit i set while button i is held
    int axis_count = 0;         // axes reported, at most 6 (x, y, z, r, u, v)
    int axis_pos[6] = {};       // positions 0 .. axis_max
    int axis_min = 0;
    int axis_max = 65535;
};
int JoystickCount();                           // enumerates the attached devices; ports 0..count-1
bool ReadJoystick(int port, JoyReading& out);  // false when no device there

// ---- Files ---------------------------------------------------------------
// A file the game saves was written.  The browser back end stores it across
// visits at its next chance; the desktop and headless back ends need not act.
void FilesChanged();

// ---- Audio ---------------------------------------------------------------
// The back end pulls interleaved 16-bit stereo frames through this function:
// from its audio thread (sdl) or in virtual time at each Present (headless).
using AudioPull = void (*)(std::int16_t* stereo, int frames);
// Opens the output device; returns its sample rate, or 0 when there is none.
int OpenAudio(AudioPull pull);
void CloseAudio();

}  // namespace platform
