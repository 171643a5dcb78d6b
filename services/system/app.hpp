// app.hpp -- the application's window state as the game sees it.
#pragma once

#include <string>

void SetAppTitle(const std::string& title);  // caption of the window opened afterwards
const std::string& AppTitle();
bool AppIsSuspended();  // processes pending events; true while the window is inactive
bool CloseRequested();  // true once after the close box was used; reading clears it
