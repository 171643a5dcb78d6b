// script.hpp -- the runner's script: its settings and its timed events,
// parsed from text (one directive a line, '#' comments, blank lines).
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace sim {

enum class Action {
    KeyDown,     // a: key code
    KeyUp,       // a: key code
    KeyPress,    // a: key code; down and up in the same batch
    MouseMove,   // a, b: x, y in screen pixels
    MouseDown,   // a: button 1..3
    MouseUp,     // a: button
    MouseClick,  // a: button; down and up in the same batch
    JoyAxisX,    // value: -1.0 .. 1.0
    JoyAxisY,    // value
    JoyDown,     // a: button 0..15
    JoyUp,       // a: button
    JoyPress,    // a: button; down at F, up first thing at F + 1
    FocusLost,
    FocusGained,
    Close,
    Shot,  // path: PNG of the frame
    Dump,  // path: JSON of the state
};

struct TimedEvent {
    int frame = 0;  // delivered right after the frame-th Flip (0: before start-up)
    Action action = Action::Close;
    int a = 0, b = 0;
    float value = 0.0f;
    std::string path;
    int line = 0;  // script line it came from (0 for the bot's events)
};

struct Script {
    std::uint32_t clock = 100000;  // virtual clock when the program starts, ms
    bool joystick = false;         // a virtual joystick at port 0
    bool bot = false;
    bool bot_restart = false;  // `bot restart`: the bot ends hopeless realms
    std::optional<int> stop;   // end right after this frame, without the exit sequence
    std::string sounds_path;   // log of sounds started; empty: none
    int sounds_line = 0;
    std::string record_path;  // log of events delivered; empty: none
    int record_line = 0;
    std::string timing_path;  // CPU time of every frame's work; empty: none
    int timing_line = 0;
    std::string draws_path;  // log of every draw call; empty: none
    int draws_line = 0;
    int draws_from = 0, draws_to = 2147483647;  // frames logged, both included
    std::vector<TimedEvent> events;             // in file order
};

// Longest script read, in bytes: a longer one is refused whole, so that a
// huge or endless file cannot exhaust memory before a line is run.
inline constexpr std::size_t kMaxScriptBytes = std::size_t(64) << 20;

// False with *error naming the line ("script line 3: ...") on a line it cannot
// read, or saying the script is too long.  The stream is read line by line.
bool parse_script(std::istream& in, Script& out, std::string* error);
bool parse_script(const std::string& text, Script& out, std::string* error);

// Text from a script or a path as a message shows it: control bytes as '?',
// cut after about 60 bytes with "...".
std::string readable(const std::string& text);

// The event as a directive without "at F" ("key down 27"), as the record writes it.
std::string event_text(const TimedEvent& event);

bool is_input(Action action);  // false for shots and dumps

}  // namespace sim
