// app.cpp -- the window's title, activation and close box as the game sees them.
#include "services/system/app.hpp"

#include "services/input/input.hpp"
#include "services/platform/platform.hpp"

namespace {

std::string& Title() {
    static std::string title;
    return title;
}

}  // namespace

void SetAppTitle(const std::string& title) {
    Title() = title;
}

const std::string& AppTitle() {
    return Title();
}

bool ShowErrorBox(const std::string& text) {
    return platform::ShowErrorBox(AppTitle(), text);
}

bool AppIsSuspended() {
    PollSystem();
    return InputSuspended();
}

bool CloseRequested() {
    return TakeCloseRequest();
}
