// files.hpp -- the files the game saves, kept across visits.  The game runs
// in /game with its sounds in /game/data; what it writes there is copied to
// /saved, an IndexedDB file system the page loaded before the game started.
// A browser that refuses IndexedDB (private windows) leaves /saved empty
// and unsaved: the game starts with best 0 and plays on.
#pragma once

namespace web_backend {

void RestoreSavedFiles();  // /saved to /game/data, before the game reads them

}  // namespace web_backend
