// app.hpp -- the application's window state as the game sees it.
#pragma once

#include <string>

void SetAppTitle(const std::string& title);  // caption of the window opened afterwards
const std::string& AppTitle();
// A fatal message in a box titled with the app's title, for a player who
// never sees stderr; waits until it is closed.  False when no box could be
// shown (no display reachable, or a back end without boxes).
bool ShowErrorBox(const std::string& text);
bool AppIsSuspended();  // processes pending events; true while the window is inactive
bool CloseRequested();  // true once after the close box was used; reading clears it
