// input.hpp -- polled keyboard and mouse.  Every query first processes the
// window events pending at the seam (auto-poll), by the event rules: a key
// down counts a hit only when the key was up; focus changes clear all keys
// and buttons; the close box sets the close request.
#pragma once

// Virtual key codes the game uses.
enum : int {
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_LEFT = 37,
    KEY_UP = 38,
    KEY_RIGHT = 39,
    KEY_DOWN = 40,
    KEY_LSHIFT = 160,
    KEY_RSHIFT = 161,
    KEY_LCONTROL = 162,
    KEY_RCONTROL = 163,
    KEY_LALT = 164,
    KEY_RALT = 165,
};

void PollSystem();          // processes the pending window events now
void WaitSystem();          // blocks briefly until events may be pending (waits without drawing)
int KeyHitCount(int code);  // presses since last asked; asking clears it
bool KeyIsDown(int code);   // held now
void ClearKeys();           // processes pending events, then forgets keys, hits and typed chars
int GetChar();              // next typed character, 0 when none

int MousePosX();  // pointer position in screen pixels
int MousePosY();
int MouseZ();                   // accumulated wheel steps
int MouseHitCount(int button);  // 1 left, 2 right, 3 middle; button 0 is always 0
bool MouseIsDown(int button);
void ClearMouse();             // processes pending events, then forgets buttons, hits and wheel
void MoveMouse(int x, int y);  // seen by MousePosX/Y once its move event is processed
void SetMouseVisible(bool visible);

// Input state shared with the application service (suspend and close box).
bool InputSuspended();
bool TakeCloseRequest();  // true once after a close request; clears it
void ResetInput();        // back to the state at program load
