// script.cpp -- reading the runner's script language.
#include "tools/sim/script.hpp"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <limits>
#include <sstream>

namespace sim {

namespace {

// A stray CR (a line ending from another system) counts as a blank.
bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// A directive split into words, with the rest of the line kept for paths.
struct Words {
    std::vector<std::string> list;
    std::vector<std::size_t> starts;  // offset of each word in the line
    std::string line;

    std::size_t size() const { return list.size(); }
    const std::string& operator[](std::size_t i) const { return list[i]; }
    // Everything from word i to the end of the line (paths may hold spaces).
    std::string rest(std::size_t i) const {
        std::string r = line.substr(starts[i]);
        while (!r.empty() && is_blank(r.back())) r.pop_back();
        return r;
    }
};

Words split(const std::string& line) {
    Words w;
    w.line = line;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && is_blank(line[i])) ++i;
        if (i >= line.size()) break;
        std::size_t start = i;
        while (i < line.size() && !is_blank(line[i])) ++i;
        w.list.push_back(line.substr(start, i - start));
        w.starts.push_back(start);
    }
    return w;
}

bool to_long(const std::string& s, long long lo, long long hi, long long& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(s.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
    out = v;
    return true;
}

bool to_int(const std::string& s, int lo, int hi, int& out) {
    long long v = 0;
    if (!to_long(s, lo, hi, v)) return false;
    out = int(v);
    return true;
}

bool to_axis(const std::string& s, float& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    float v = std::strtof(s.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v) || v < -1.0f || v > 1.0f) return false;
    out = v;
    return true;
}

bool fail(std::string& why, const std::string& reason) {
    why = reason;
    return false;
}

constexpr int kMaxInt = std::numeric_limits<int>::max();
constexpr int kMinInt = std::numeric_limits<int>::min();

// Reads the part of an "at F ..." line after F; false with a reason.
bool parse_event(const Words& w, TimedEvent& ev, std::string& why) {
    const std::size_t n = w.size();
    auto need = [&](std::size_t count) {
        if (n == count) return true;
        why = n < count ? "missing value" : "unexpected words after the directive";
        return false;
    };
    const std::string& kind = w[2];
    const std::string sub = n > 3 ? w[3] : "";
    if (kind == "key") {
        if (sub == "down")
            ev.action = Action::KeyDown;
        else if (sub == "up")
            ev.action = Action::KeyUp;
        else if (sub == "press")
            ev.action = Action::KeyPress;
        else
            return fail(why, "key wants down, up or press");
        if (!need(5)) return false;
        if (!to_int(w[4], 1, 255, ev.a)) return fail(why, "key code must be 1 to 255");
        return true;
    }
    if (kind == "mouse") {
        if (sub == "move") {
            ev.action = Action::MouseMove;
            if (!need(6)) return false;
            if (!to_int(w[4], kMinInt, kMaxInt, ev.a) || !to_int(w[5], kMinInt, kMaxInt, ev.b))
                return fail(why, "mouse move wants two whole numbers");
            return true;
        }
        if (sub == "down")
            ev.action = Action::MouseDown;
        else if (sub == "up")
            ev.action = Action::MouseUp;
        else if (sub == "click")
            ev.action = Action::MouseClick;
        else
            return fail(why, "mouse wants move, down, up or click");
        if (!need(5)) return false;
        if (!to_int(w[4], 1, 3, ev.a)) return fail(why, "mouse button must be 1, 2 or 3");
        return true;
    }
    if (kind == "joy") {
        if (sub == "axis") {
            if (!need(6)) return false;
            if (w[4] == "x")
                ev.action = Action::JoyAxisX;
            else if (w[4] == "y")
                ev.action = Action::JoyAxisY;
            else
                return fail(why, "joy axis wants x or y");
            if (!to_axis(w[5], ev.value)) return fail(why, "axis value must be -1.0 to 1.0");
            return true;
        }
        if (sub == "down")
            ev.action = Action::JoyDown;
        else if (sub == "up")
            ev.action = Action::JoyUp;
        else if (sub == "press")
            ev.action = Action::JoyPress;
        else
            return fail(why, "joy wants axis, down, up or press");
        if (!need(5)) return false;
        if (!to_int(w[4], 0, 15, ev.a)) return fail(why, "joystick button must be 0 to 15");
        return true;
    }
    if (kind == "focus") {
        if (sub == "lost")
            ev.action = Action::FocusLost;
        else if (sub == "gained")
            ev.action = Action::FocusGained;
        else
            return fail(why, "focus wants lost or gained");
        return need(4);
    }
    if (kind == "close") {
        ev.action = Action::Close;
        return need(3);
    }
    if (kind == "shot" || kind == "dump") {
        ev.action = kind == "shot" ? Action::Shot : Action::Dump;
        if (n < 4) return fail(why, "missing path");
        if (ev.frame == 0) return fail(why, "frame 0 has not been presented yet");
        ev.path = w.rest(3);
        return true;
    }
    why = "unknown event '" + readable(kind) + "'";
    return false;
}

bool parse_line(const Words& w, int number, Script& out, std::string& why) {
    const std::size_t n = w.size();
    const std::string& head = w[0];
    if (head == "at") {
        TimedEvent ev;
        ev.line = number;
        if (n < 3) return fail(why, "at wants a frame and an event");
        if (!to_int(w[1], 0, kMaxInt - 1, ev.frame)) return fail(why, "bad frame number");
        if (!parse_event(w, ev, why)) return false;
        out.events.push_back(ev);
        return true;
    }
    if (head == "clock") {
        long long v = 0;
        if (n != 2 || !to_long(w[1], 0, 0xFFFFFFFFLL, v))
            return fail(why, "clock wants milliseconds 0 to 4294967295");
        out.clock = std::uint32_t(v);
        return true;
    }
    if (head == "bot" && n == 2 && w[1] == "restart") {
        out.bot = out.bot_restart = true;
        return true;
    }
    if (head == "joystick" || head == "bot") {
        if (n != 2 || w[1] != "on") {
            return fail(why, head == "bot" ? "bot wants 'on' or 'restart'" : "joystick wants 'on'");
        }
        (head == "bot" ? out.bot : out.joystick) = true;
        return true;
    }
    if (head == "stop") {
        int f = 0;
        if (n != 2 || !to_int(w[1], 0, kMaxInt, f)) return fail(why, "stop wants a frame number");
        if (!out.stop || f < *out.stop) out.stop = f;  // the earliest stop wins
        return true;
    }
    if (head == "sounds" || head == "record") {
        if (n < 2) return fail(why, "missing path");
        if (head == "sounds") {
            out.sounds_path = w.rest(1);
            out.sounds_line = number;
        } else {
            out.record_path = w.rest(1);
            out.record_line = number;
        }
        return true;
    }
    if (head == "timing") {
        if (n < 2) return fail(why, "missing path");
        out.timing_path = w.rest(1);
        out.timing_line = number;
        return true;
    }
    if (head == "draws") {
        if (n < 2) return fail(why, "missing path");
        // Two whole numbers at the end are the frames; the path is before them.
        int from = 0, to = 0;
        if (n >= 4 && to_int(w[n - 2], 0, kMaxInt, from) && to_int(w[n - 1], 0, kMaxInt, to)) {
            if (from > to) return fail(why, "draws wants FROM no later than TO");
            std::string path = w.line.substr(w.starts[1], w.starts[n - 2] - w.starts[1]);
            while (!path.empty() && is_blank(path.back())) path.pop_back();
            out.draws_path = path;
            out.draws_from = from;
            out.draws_to = to;
        } else {
            out.draws_path = w.rest(1);
            out.draws_from = 0;
            out.draws_to = kMaxInt;
        }
        out.draws_line = number;
        return true;
    }
    why = "unknown directive '" + readable(head) + "'";
    return false;
}

// Reads one line without its '\n' into `line`, taking its bytes from
// `budget`; false at the end of the input, or with `over` set once the
// budget is spent, so a line never grows far past the script's limit.
// Taken a chunk at a time, so a long line costs no more than a short one.
bool read_line(std::istream& in, std::string& line, std::size_t& budget, bool& over) {
    line.clear();
    char chunk[1 << 16];
    bool any = false;
    for (;;) {
        in.getline(chunk, sizeof chunk);
        const std::size_t got = std::size_t(in.gcount());  // with the '\n' when one was taken
        if (in.bad()) return false;                        // a read error: the caller tells it
        if (got == 0 && in.eof()) return any;
        any = true;
        if (got > budget) {
            over = true;
            return false;
        }
        budget -= got;
        if (in.eof()) {  // the last line, with no '\n'
            line.append(chunk, got);
            return true;
        }
        if (in.fail()) {  // the chunk filled before the line ended
            line.append(chunk, got);
            in.clear();
            continue;
        }
        line.append(chunk, got - 1);
        return true;
    }
}

}  // namespace

bool parse_script(std::istream& in, Script& out, std::string* error) {
    out = Script{};
    auto failed = [&](int number, const std::string& why) {
        if (error) *error = "script line " + std::to_string(number) + ": " + why;
        return false;
    };
    std::string line;
    std::size_t budget = kMaxScriptBytes;
    bool over = false;
    int number = 0;
    while (read_line(in, line, budget, over)) {
        ++number;
        // A mark some editors put at the start of a UTF-8 file.
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        // A NUL would silently cut a path short: the file is not a script.
        if (line.find('\0') != std::string::npos) return failed(number, "NUL byte in the line");
        std::size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        Words w = split(line);
        if (w.size() == 0) continue;
        std::string why;
        if (!parse_line(w, number, out, why)) return failed(number, why);
    }
    if (in.bad()) return failed(number + 1, "cannot be read");
    if (over) {
        if (error)
            *error = "the script is longer than " + std::to_string(kMaxScriptBytes >> 20) + " MiB";
        return false;
    }
    return true;
}

bool parse_script(const std::string& text, Script& out, std::string* error) {
    std::istringstream in(text);
    return parse_script(in, out, error);
}

std::string readable(const std::string& text) {
    constexpr std::size_t kShown = 60;
    std::string out;
    for (std::size_t i = 0; i < text.size(); i++) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        // Cut before a character starts, never inside a UTF-8 sequence
        // (which is at most 4 bytes long: a longer run is no text anyway).
        if (out.size() >= kShown && ((c & 0xC0) != 0x80 || out.size() >= kShown + 3)) {
            out += "...";
            break;
        }
        out.push_back(c < 0x20 || c == 0x7F ? '?' : char(c));
    }
    return out;
}

bool is_input(Action action) {
    return action != Action::Shot && action != Action::Dump;
}

std::string event_text(const TimedEvent& ev) {
    auto num = [](int v) { return std::to_string(v); };
    switch (ev.action) {
        case Action::KeyDown:
            return "key down " + num(ev.a);
        case Action::KeyUp:
            return "key up " + num(ev.a);
        case Action::KeyPress:
            return "key press " + num(ev.a);
        case Action::MouseMove:
            return "mouse move " + num(ev.a) + " " + num(ev.b);
        case Action::MouseDown:
            return "mouse down " + num(ev.a);
        case Action::MouseUp:
            return "mouse up " + num(ev.a);
        case Action::MouseClick:
            return "mouse click " + num(ev.a);
        case Action::JoyAxisX:
        case Action::JoyAxisY: {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.9g", double(ev.value));
            return std::string("joy axis ") + (ev.action == Action::JoyAxisX ? "x " : "y ") + buf;
        }
        case Action::JoyDown:
            return "joy down " + num(ev.a);
        case Action::JoyUp:
            return "joy up " + num(ev.a);
        case Action::JoyPress:
            return "joy press " + num(ev.a);
        case Action::FocusLost:
            return "focus lost";
        case Action::FocusGained:
            return "focus gained";
        case Action::Close:
            return "close";
        case Action::Shot:
            return "shot " + ev.path;
        case Action::Dump:
            return "dump " + ev.path;
    }
    return "";
}

}  // namespace sim
