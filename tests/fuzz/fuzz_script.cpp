// fuzz_script.cpp -- any bytes as a runner script: a clean parse or an error
// naming a line, and every event parsed writes back as a line that parses to
// the same event.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/sim/script.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    sim::Script script;
    std::string error;
    if (!sim::parse_script(text, script, &error)) {
        // Every refusal names its line and stays short whatever the input.
        if (error.rfind("script line ", 0) != 0 || error.size() > 200) std::abort();
        return 0;
    }
    for (const sim::TimedEvent& event : script.events) {
        const std::string line = "at " + std::to_string(event.frame) + " " + sim::event_text(event);
        sim::Script again;
        if (!sim::parse_script(line, again, &error) || again.events.size() != 1 ||
            sim::event_text(again.events[0]) != sim::event_text(event)) {
            std::abort();
        }
    }
    return 0;
}
