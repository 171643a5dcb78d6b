// lifecycle.cpp -- ending the program and putting every service back to its
// load-time state, so the whole game can run again in the same process.
#include "services/lifecycle.hpp"

#include "services/audio/sound.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/font.hpp"
#include "services/graphics/image.hpp"
#include "services/input/input.hpp"
#include "services/input/joystick.hpp"
#include "services/platform/platform.hpp"
#include "services/system/app.hpp"
#include "services/system/random.hpp"

// The process itself is not ended here: the program entry returns 0 after
// this, so the headless runner and the tests can go on in the same process.
void EndProgram() {
    CloseGraphics();
    platform::CloseAudio();
}

void ResetServices() {
    ResetInput();
    ResetJoysticks();
    SetRandomState(4660);
    SetAppTitle("");
    ResetAudio();
    ResetDrawState();
    ResetImageDefaults();
    SetCurrentFont(nullptr);
    CloseGraphics();
    ClearAppIcon();
}
