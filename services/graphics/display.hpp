// display.hpp -- the 640x480 display, its back buffer and frame pacing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

struct TDisplay {
    int width = 0, height = 0, depth = 0, hertz = 0, flags = 0;
    bool soft_sync = false;  // pace by sleeping (the vertical blank was not reliable)
    int period = 0;          // whole ms per frame, 1000 div hertz
    int remainder = 0;       // 1000 - period x hertz
    int accumulator = 0;
    int next_frame_time = 0;  // clock ms of the next frame's slot
};

// Closes any open display, opens the new one (full screen when depth != 0),
// resets the drawing state, clears and presents twice, probes the vertical
// blank, sets up pacing, centres the mouse.  False when it cannot be opened
// (*error, if given, names the cause).
bool OpenGraphics(int width, int height, int depth, int hertz, int flags,
                  std::string* error = nullptr);
void CloseGraphics();
// The icon of windows opened afterwards, from PNG bytes (the desktop's title
// bar, docks, task switchers); false, and no icon, for bytes that are no
// picture.  Empty until set; ResetServices clears it.
bool SetAppIcon(const unsigned char* png, std::size_t size);
void ClearAppIcon();
const TDisplay* CurrentDisplay();  // none before OpenGraphics
// sync 1: wait for the vertical blank; 0: no wait; -1: pace at the display's hertz.
void Flip(int sync);
void Cls();
int ScreenWidth();
int ScreenHeight();
std::uint32_t* BackBuffer();  // ScreenWidth x ScreenHeight pixels, 0xAARRGGBB
// Called at the end of every Flip (the runner counts frames with it).
void SetFlipHook(std::function<void()> hook);
