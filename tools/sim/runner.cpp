// runner.cpp -- runs the whole program on the headless back end: counts the
// frames through the Flip hook, delivers the script's events after their
// frame, answers the program's input waits, and writes shots, dumps and logs.
#include "tools/sim/runner.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

#include "app/main_loop.hpp"
#include "services/audio/sound.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/image.hpp"
#include "services/graphics/png.hpp"
#include "services/platform/headless/headless.hpp"
#include "tools/sim/bot.hpp"
#include "tools/sim/dump.hpp"
#include "tools/sim/output_file.hpp"
#include "tools/sim/script.hpp"
#include "tools/sim/timing.hpp"

namespace sim {

namespace {

// Thrown out of the Flip hook at `stop`: the run ends without the exit sequence.
struct StopRun {};

// "script line 3: cannot write out/a.png: a FIFO, not a regular file"
std::string cannot_write_text(int line, const std::string& path, const std::string& why) {
    return "script line " + std::to_string(line) + ": cannot write " + readable(path) +
           (why.empty() ? "" : ": " + why);
}

// A file the run writes as it goes (the sound log, the record): a failed
// write is told once, on stderr, as soon as it is seen.
class Log {
   public:
    bool open(const std::string& path, int line, std::string* why) {
        path_ = path;
        line_ = line;
        out_ = open_output_file(path, why);
        return out_.is_open();
    }
    bool is_open() const { return out_.is_open(); }
    template <typename... Parts>
    void write(const Parts&... parts) {
        if (!out_.is_open() || failed_) return;
        std::ostringstream text;
        (text << ... << parts);
        if (!out_.write(text.str())) report();
    }
    // Flushes and closes; false when anything written was lost.
    bool close() {
        if (!out_.is_open()) return !failed_;
        if (!out_.close()) report();
        return !failed_;
    }
    // Pushes what was written to the file, so it can be read while the run goes on.
    void flush() {
        if (!out_.is_open() || failed_) return;
        if (!out_.flush()) report();
    }
    void discard() {
        out_.close();
        std::remove(path_.c_str());
    }

   private:
    void report() {
        if (failed_) return;
        failed_ = true;
        std::fprintf(stderr, "bodger2010-sim: %s\n", cannot_write_text(line_, path_, "").c_str());
    }
    OutputFile out_;
    std::string path_;
    int line_ = 0;
    bool failed_ = false;
};

// "data\thebodger.ogg" -> "thebodger"
std::string base_name(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// "%.9g" of a number, as the draw log writes them.
std::string num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", v);
    return text;
}

// The state's part of a draw log line: colour, alpha, blend, rotation, scale.
std::string state_text(const TDrawState& st) {
    return " c " + std::to_string(st.color_red) + ' ' + std::to_string(st.color_green) + ' ' +
           std::to_string(st.color_blue) + " a " + num(st.color_alpha) + " b " +
           std::to_string(st.blend_mode) + " r " + num(st.tform_rot) + " s " +
           num(st.tform_scale_x) + ' ' + num(st.tform_scale_y);
}

// A text between double quotes: quote and backslash escaped with a backslash,
// bytes outside printable ASCII as \xHH.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += ch;
        }
    }
    return out + '"';
}

class Run : public TDrawObserver {
   public:
    explicit Run(Script script) : script_(std::move(script)) {
        // Moved, not copied: a long script is held once.
        for (TimedEvent& ev : script_.events) {
            auto& target = is_input(ev.action) ? inputs_ : captures_;
            target[ev.frame].push_back(std::move(ev));
        }
        script_.events = {};
    }

    // Before anything runs: refuses a script naming anything but a regular
    // file as an output (the first such line is named), then opens the logs.
    // False with the offending line named; nothing is left behind then.
    bool open_outputs(std::string& error) {
        std::vector<std::pair<int, const std::string*>> outputs;
        if (!script_.sounds_path.empty())
            outputs.emplace_back(script_.sounds_line, &script_.sounds_path);
        if (!script_.record_path.empty())
            outputs.emplace_back(script_.record_line, &script_.record_path);
        if (!script_.timing_path.empty())
            outputs.emplace_back(script_.timing_line, &script_.timing_path);
        if (!script_.draws_path.empty())
            outputs.emplace_back(script_.draws_line, &script_.draws_path);
        for (const auto& [frame, events] : captures_) {
            for (const TimedEvent& ev : events) outputs.emplace_back(ev.line, &ev.path);
        }
        std::sort(outputs.begin(), outputs.end());
        for (const auto& [line, path] : outputs) {
            const std::string why = output_refusal(*path);
            if (!why.empty()) return cannot_write(line, *path, why, error);
        }

        std::string why;
        if (!script_.sounds_path.empty() &&
            !sounds_.open(script_.sounds_path, script_.sounds_line, &why)) {
            return cannot_write(script_.sounds_line, script_.sounds_path, why, error);
        }
        if (!script_.record_path.empty() &&
            !record_.open(script_.record_path, script_.record_line, &why)) {
            if (sounds_.is_open()) sounds_.discard();
            return cannot_write(script_.record_line, script_.record_path, why, error);
        }
        if (!script_.draws_path.empty() &&
            !draws_.open(script_.draws_path, script_.draws_line, &why)) {
            if (sounds_.is_open()) sounds_.discard();
            if (record_.is_open()) record_.discard();
            return cannot_write(script_.draws_line, script_.draws_path, why, error);
        }
        if (!script_.timing_path.empty()) {
            timing_out_ = open_output_file(script_.timing_path, &why);
            if (!timing_out_.is_open()) {
                if (sounds_.is_open()) sounds_.discard();
                if (record_.is_open()) record_.discard();
                if (draws_.is_open()) draws_.discard();
                return cannot_write(script_.timing_line, script_.timing_path, why, error);
            }
            timed_ = &timing_;
        }
        return true;
    }

    // After the run: closes the logs; false when any file the run had to
    // write (log, record, shot or dump) was not written whole.
    bool finish() {
        const bool sounds_ok = sounds_.close();
        const bool record_ok = record_.close();
        const bool draws_ok = draws_.close();
        return sounds_ok && record_ok && draws_ok && !capture_failed_;
    }

    // Right after the services were reset, before the first start-up step.
    void begin() {
        if (timed_) timed_->start();
        RunnerWork own(timed_);
        frame_ = 0;
        headless::Reset();
        headless::SetClock(script_.clock);
        headless::AttachJoystick(script_.joystick);
        headless::CaptureFrames(captures_.count(1) != 0);  // copy only the frames shot
        SetFramesDrawn(needs_pixels(1));
        bot_start(script_.bot_restart);
        deliver_due(0);
    }

    void after_flip() {
        if (timed_) timed_->frame_presented();
        RunnerWork own(timed_);
        ++frame_;
        write_captures(frame_);
        headless::CaptureFrames(captures_.count(frame_ + 1) != 0);
        SetFramesDrawn(needs_pixels(frame_ + 1));
        if (logging_draws(frame_)) draws_.write("F ", frame_, '\n');
        if (script_.stop && frame_ >= *script_.stop) throw StopRun{};
        deliver_due(frame_);
        if (script_.bot) {
            for (TimedEvent ev : bot_frame(frame_)) {
                if (!is_input(ev.action)) continue;
                ev.frame = frame_;
                deliver(ev);
            }
        }
    }

    // The program waits for input without presenting a frame: hand it the
    // next batch at once, without moving the frame count.
    bool on_wait() {
        RunnerWork own(timed_);
        if (inputs_.empty()) return false;
        auto batch = inputs_.begin();
        std::vector<TimedEvent> events = std::move(batch->second);
        releases_.erase(batch->first);
        inputs_.erase(batch);
        for (const TimedEvent& ev : events) deliver(ev);
        return true;
    }

    void on_sound(const TSound& sound) {
        RunnerWork own(timed_);
        sounds_.write(frame_, ' ', base_name(sound.path), '\n');
    }

    // The draw log: every draw call of the frames asked for, as it is made.
    void OnImage(const TImage& image, int frame, float x, float y,
                 const TDrawState& state) override {
        if (!logging_draws(frame_ + 1)) return;
        RunnerWork own(timed_);
        draws_.write("I ", image.width, 'x', image.height, 'x', image.Frames(), ' ', frame, ' ',
                     num(x), ' ', num(y), " hd ", num(image.handle_x), ' ', num(image.handle_y),
                     state_text(state), '\n');
    }
    void OnText(const std::string& text, float x, float y, const TDrawState& state) override {
        if (!logging_draws(frame_ + 1)) return;
        RunnerWork own(timed_);
        draws_.write("S ", quoted(text), ' ', num(x), ' ', num(y), state_text(state), '\n');
    }
    void OnLine(float x1, float y1, float x2, float y2, const TDrawState& state) override {
        if (!logging_draws(frame_ + 1)) return;
        RunnerWork own(timed_);
        draws_.write("L ", num(x1), ' ', num(y1), ' ', num(x2), ' ', num(y2), state_text(state),
                     '\n');
    }
    bool logs_draws() const { return draws_.is_open(); }

    // At the end of the run, however it ended.
    void write_timing_log() {
        if (!timed_) return;
        std::ostringstream text;
        write_timing(text, timing_.frames());
        const bool written = timing_out_.write(text.str());
        if (!timing_out_.close() || !written) {
            std::fprintf(stderr, "bodger2010-sim: %s\n",
                         cannot_write_text(script_.timing_line, script_.timing_path, "").c_str());
            capture_failed_ = true;
        }
    }

    int frame() const { return frame_; }
    const Script& script() const { return script_; }

   private:
    static bool cannot_write(int line, const std::string& path, const std::string& why,
                             std::string& error) {
        error = cannot_write_text(line, path, why);
        return false;
    }

    bool logging_draws(int frame) const {
        return draws_.is_open() && frame >= script_.draws_from && frame <= script_.draws_to;
    }

    // Frames are rasterised only when a shot or the timing looks at them; a
    // grab of the back buffer rasterises what it reads in any case.
    bool needs_pixels(int frame) const {
        if (timed_) return true;
        auto it = captures_.find(frame);
        if (it == captures_.end()) return false;
        for (const TimedEvent& ev : it->second)
            if (ev.action == Action::Shot) return true;
        return false;
    }

    void deliver_due(int frame) {
        while (!inputs_.empty() && inputs_.begin()->first <= frame) on_wait();
    }

    void write_captures(int frame) {
        auto it = captures_.find(frame);
        if (it == captures_.end()) return;
        for (const TimedEvent& ev : it->second) {
            std::string why;
            OutputFile out = open_output_file(ev.path, &why);
            bool ok = out.is_open();
            if (ok && ev.action == Action::Shot) {
                ok = SavePng(out.stream(), headless::LastFrame().data(), headless::FrameWidth(),
                             headless::FrameHeight());
            } else if (ok) {
                ok = out.write(dump_state(frame));
            }
            ok = out.close() && ok;  // the last of the bytes may only fail here
            if (!ok) {
                // The run goes on; the failure shows in the exit status.
                capture_failed_ = true;
                std::fprintf(stderr, "bodger2010-sim: %s\n",
                             cannot_write_text(ev.line, ev.path, why).c_str());
            }
        }
        captures_.erase(it);
        sounds_.flush();
        record_.flush();
        draws_.flush();
    }

    // Applies one event exactly as the window event it stands for.
    void deliver(const TimedEvent& ev) {
        using platform::EventType;
        auto push = [](EventType type, int code, int x = 0, int y = 0) {
            headless::PushEvent(platform::Event{type, code, x, y});
        };
        TimedEvent logged = ev;
        switch (ev.action) {
            case Action::KeyDown:
                push(EventType::KeyDown, ev.a);
                break;
            case Action::KeyUp:
                push(EventType::KeyUp, ev.a);
                break;
            case Action::KeyPress:
                push(EventType::KeyDown, ev.a);
                push(EventType::KeyUp, ev.a);
                break;
            case Action::MouseMove:
                push(EventType::MouseMove, 0, ev.a, ev.b);
                break;
            case Action::MouseDown:
                push(EventType::MouseDown, ev.a);
                break;
            case Action::MouseUp:
                push(EventType::MouseUp, ev.a);
                break;
            case Action::MouseClick:
                push(EventType::MouseDown, ev.a);
                push(EventType::MouseUp, ev.a);
                break;
            case Action::JoyAxisX:
                headless::SetJoyAxis(0, ev.value);
                break;
            case Action::JoyAxisY:
                headless::SetJoyAxis(1, ev.value);
                break;
            case Action::JoyDown:
                headless::SetJoyButton(ev.a, true);
                break;
            case Action::JoyUp:
                headless::SetJoyButton(ev.a, false);
                break;
            case Action::JoyPress: {
                headless::SetJoyButton(ev.a, true);
                logged.action = Action::JoyDown;
                // The release goes first into the next frame's batch, after
                // the releases already placed there.
                TimedEvent release = ev;
                release.action = Action::JoyUp;
                release.frame = ev.frame + 1;
                auto& next = inputs_[release.frame];
                int& placed = releases_[release.frame];
                next.insert(next.begin() + std::min<std::size_t>(placed, next.size()), release);
                ++placed;
                break;
            }
            case Action::FocusLost:
                push(EventType::FocusLost, 0);
                break;
            case Action::FocusGained:
                push(EventType::FocusGained, 0);
                break;
            case Action::Close:
                push(EventType::Close, 0);
                break;
            case Action::Shot:
            case Action::Dump:
                return;
        }
        record_.write("at ", logged.frame, ' ', event_text(logged), '\n');
    }

    Script script_;
    std::map<int, std::vector<TimedEvent>> inputs_;    // undelivered batches by frame
    std::map<int, std::vector<TimedEvent>> captures_;  // shots and dumps by frame
    std::map<int, int> releases_;  // joystick releases already put first into a batch
    Log sounds_, record_, draws_;
    OutputFile timing_out_;
    FrameTiming timing_;
    FrameTiming* timed_ = nullptr;  // &timing_ when the script asks for it
    bool capture_failed_ = false;   // a shot, dump or the timing log could not be written
    int frame_ = 0;
};

Run* current_run = nullptr;

void sound_started(const TSound& sound) {
    if (current_run) current_run->on_sound(sound);
}

// Installs the run's hooks and takes every one of them away again, however
// the run ends.
class Hooks {
   public:
    explicit Hooks(Run& run) {
        current_run = &run;
        set_start_hook([&run] {
            run.begin();
            headless::SetWaitHandler([&run] { return run.on_wait(); });
            SetFlipHook([&run] { run.after_flip(); });
            SetSoundStartHook(&sound_started);
            if (run.logs_draws()) SetDrawObserver(&run);
        });
    }
    ~Hooks() {
        set_start_hook(nullptr);
        headless::SetWaitHandler(nullptr);
        SetFlipHook(nullptr);
        SetSoundStartHook(nullptr);
        SetDrawObserver(nullptr);
        SetFramesDrawn(true);
        current_run = nullptr;
    }
    Hooks(const Hooks&) = delete;
    Hooks& operator=(const Hooks&) = delete;
};

}  // namespace

}  // namespace sim

namespace {

constexpr int kStatusNotWritten = 4;  // the run ended, but a file it had to write was not

int run_parsed(sim::Script script, std::string* message) {
    using namespace sim;
    std::string error;
    Run run(std::move(script));
    if (!run.open_outputs(error)) {
        if (message) *message = error;
        return 2;
    }
    if (run.script().stop && *run.script().stop == 0) return 0;  // ends before frame 1

    int status = 0;
    {
        Hooks hooks(run);
        try {
            status = program_entry();
        } catch (const StopRun&) {
            status = 0;
        } catch (const headless::WaitForever&) {
            if (message) {
                *message = "after frame " + std::to_string(run.frame()) +
                           ": the program waits for input and the script has no event left";
            }
            status = 3;
        }
    }
    run.write_timing_log();
    if (!run.finish() && status == 0) {
        if (message) *message = "the run ended, but some of its files could not be written";
        status = kStatusNotWritten;
    }
    return status;
}

}  // namespace

int run_script(const std::string& script_text, std::string* message) {
    sim::Script script;
    std::string error;
    if (!sim::parse_script(script_text, script, &error)) {
        if (message) *message = error;
        return 2;
    }
    return run_parsed(std::move(script), message);
}

int run_script_file(const std::string& path, std::string* message) {
    std::error_code ec;
    std::ifstream in;
    if (std::filesystem::is_regular_file(path, ec)) in.open(path, std::ios::binary);
    if (!in.is_open()) {
        if (message) *message = "cannot read the script " + sim::readable(path);
        return 2;
    }
    sim::Script script;
    std::string error;
    if (!sim::parse_script(in, script, &error)) {
        if (message) *message = error;
        return 2;
    }
    return run_parsed(std::move(script), message);
}
