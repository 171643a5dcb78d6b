// web.hpp -- what the browser back end's files share: the canvas they draw
// to and listen on, and the queue of window events the page's callbacks fill.
#pragma once

#include "services/platform/platform.hpp"

namespace web_backend {

constexpr const char* kCanvas = "#canvas";

void QueueEvent(const platform::Event& event);
int CanvasWidth();  // the back buffer's size, for mouse positions
int CanvasHeight();
void ListenToPage();  // registers the keyboard, mouse and focus callbacks once
// Writes the saved files to IndexedDB if one changed since the last time;
// called where the game gives the browser control back, so a save is
// complete (renamed into place) before it is copied.
void PersistIfChanged();
// The browser got control back (a frame waited for, a sleep): it could paint.
void NoteYield();
double MillisSinceYield();
// After the game has ended: the page offers another game and this waits
// for the player's answer; true to play again (events of the wait dropped).
bool WaitForPlayAgain();
void DropEvents();

}  // namespace web_backend
