// keymap.cpp -- browser key codes and standard-mapping gamepads to the
// game's virtual keys and joystick readings.
#include "services/platform/web/keymap.hpp"

#include <cstring>

#include "services/platform/pad_rule.hpp"

namespace web_backend {

namespace {

struct Named {
    const char* code;
    int key;
};

// Keys that are not letters, digits or function keys.
constexpr Named kNamed[] = {
    {"Backspace", 8},       {"Tab", 9},
    {"NumpadClear", 12},    {"Enter", 13},
    {"NumpadEnter", 13},    {"Pause", 19},
    {"CapsLock", 20},       {"Escape", 27},
    {"Space", 32},          {"PageUp", 33},
    {"PageDown", 34},       {"End", 35},
    {"Home", 36},           {"ArrowLeft", 37},
    {"ArrowUp", 38},        {"ArrowRight", 39},
    {"ArrowDown", 40},      {"PrintScreen", 44},
    {"Insert", 45},         {"Delete", 46},
    {"MetaLeft", 91},       {"MetaRight", 92},
    {"OSLeft", 91},         {"OSRight", 92},
    {"ContextMenu", 93},    {"NumpadMultiply", 106},
    {"NumpadAdd", 107},     {"NumpadSubtract", 109},
    {"NumpadDecimal", 110}, {"NumpadDivide", 111},
    {"NumLock", 144},       {"ScrollLock", 145},
    {"ShiftLeft", 160},     {"ShiftRight", 161},
    {"ControlLeft", 162},   {"ControlRight", 163},
    {"AltLeft", 164},       {"AltRight", 165},
    {"Semicolon", 186},     {"Equal", 187},
    {"Comma", 188},         {"Minus", 189},
    {"Period", 190},        {"Slash", 191},
    {"Backquote", 192},     {"BracketLeft", 219},
    {"Backslash", 220},     {"BracketRight", 221},
    {"Quote", 222},         {"IntlBackslash", 226},
};

// "F7" -> 7, "Numpad3" -> 3 after the prefix; -1 when the rest is not a number.
int NumberAfter(const char* code, const char* prefix) {
    const std::size_t n = std::strlen(prefix);
    if (std::strncmp(code, prefix, n) != 0 || code[n] == '\0') return -1;
    int value = 0;
    for (const char* p = code + n; *p; ++p) {
        if (*p < '0' || *p > '9' || value > 100) return -1;
        value = value * 10 + (*p - '0');
    }
    return value;
}

}  // namespace

int VirtualKey(const char* code) {
    if (!code) return 0;
    if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && code[4] == '\0')
        return code[3];
    if (std::strncmp(code, "Digit", 5) == 0 && code[5] >= '0' && code[5] <= '9' && code[6] == '\0')
        return code[5];
    const int f = NumberAfter(code, "F");
    if (f >= 1 && f <= 24) return 111 + f;
    const int pad = NumberAfter(code, "Numpad");
    if (pad >= 0 && pad <= 9) return 96 + pad;
    for (const Named& named : kNamed) {
        if (std::strcmp(code, named.code) == 0) return named.key;
    }
    return 0;
}

platform::JoyReading PadReading(const PadState& pad) {
    auto held = [&pad](int b) { return b < pad.button_count && b < 32 && pad.buttons[b]; };
    auto axis = [&pad](int a) { return a < pad.axis_count ? pad.axes[a] : 0.0; };
    return platform::ReadPad(
        {held(14), held(15), held(12), held(13), axis(0), axis(1), held(0), held(1), held(9)});
}

}  // namespace web_backend
