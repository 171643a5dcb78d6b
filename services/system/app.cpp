// app.cpp -- the window's title, activation and close box as the game sees them.
#include "services/system/app.hpp"

#include "services/input/input.hpp"

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

bool AppIsSuspended() {
    PollSystem();
    return InputSuspended();
}

bool CloseRequested() {
    return TakeCloseRequest();
}
