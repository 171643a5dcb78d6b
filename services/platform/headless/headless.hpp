// headless.hpp -- the headless back end's own controls, used by the runner
// and the tests: a virtual clock, a scripted event queue, a virtual joystick
// and the captured frame.  The virtual display has a 60 Hz vertical blank:
// a present with sync 1 moves the clock on to the next blank; a present with
// sync 0 takes no time.  Sleeping moves the clock on instead of waiting.
// Audio is pulled from the mixer at each present for the virtual time passed.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <vector>

#include "services/platform/platform.hpp"

namespace headless {

// Clock 100000, no events, no joystick, no wait handler, nothing presented,
// window closed, cursor shown; an open audio device stays open.
void Reset();

void SetClock(std::uint32_t ms);
std::uint32_t Clock();

void PushEvent(const platform::Event& event);  // appended to the window's event queue
// A platform wait returns at once while events are queued; otherwise it asks
// the handler below.
bool HasPendingEvents();

// What a platform wait does: deliver the next batch of scripted events and
// return true, or return false when none is left (the wait could never end).
void SetWaitHandler(std::function<bool()> handler);
// Thrown out of platform::WaitEvents when the handler returns false.
struct WaitForever : std::exception {
    const char* what() const noexcept override { return "waiting for input that never comes"; }
};

void AttachJoystick(bool attached);        // at port 0
void SetJoyAxis(int axis, float value);    // 0 x, 1 y; -1.0 .. 1.0
void SetJoyButton(int button, bool down);  // 0 .. 15

const std::vector<std::uint32_t>& LastFrame();  // the last presented frame, 0xAARRGGBB
// Whether presents keep a copy of the frame for LastFrame (on after Reset).
// A long run that captures few frames turns it off between them.
void CaptureFrames(bool on);
int FrameWidth();
int FrameHeight();
bool CursorVisible();
bool WindowOpen();

}  // namespace headless
