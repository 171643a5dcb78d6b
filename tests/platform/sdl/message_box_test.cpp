// The fatal-message box where no display can show one: no box, no wait, and
// the caller is told so (stderr then carries the message alone).
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "services/platform/platform.hpp"

namespace {

// Sets or unsets an environment variable for the life of the object.
class EnvFor {
   public:
    EnvFor(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvFor() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    EnvFor(const EnvFor&) = delete;
    EnvFor& operator=(const EnvFor&) = delete;

   private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(MessageBox, NoDisplayShowsNoBoxAndDoesNotWait) {
    const EnvFor display("DISPLAY", nullptr), wayland("WAYLAND_DISPLAY", nullptr);
    const EnvFor driver("SDL_VIDEODRIVER", "dummy");
    EXPECT_FALSE(platform::ShowErrorBox("Bodger 2010", "the game cannot start"));
}

}  // namespace
