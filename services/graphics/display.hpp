// display.hpp -- the 640x480 display: opening it, and presenting its back
// buffer at the display's pace.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "services/graphics/back_buffer.hpp"
#include "services/graphics/display_pacing.hpp"

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
// Whether presenting completes the frame's draws first (on by default).  Off,
// the frame is presented as the back buffer stands and its draws stay in the
// list, for a reader of the buffer or the next frame's Cls, which hides them:
// a headless run rasterises only the frames somebody looks at.
void SetFramesDrawn(bool drawn);
// Called at the end of every Flip (the runner counts frames with it).
void SetFlipHook(std::function<void()> hook);
