// files.cpp -- copying saved files between the game's data folder and the
// IndexedDB file system, and asking the browser to store them.
#include "services/platform/web/files.hpp"

#include <emscripten.h>

#include "services/platform/web/web.hpp"

namespace {

bool& Changed() {
    static bool changed = false;
    return changed;
}

// clang-format off
// Every regular file in /saved that is no shipped sound comes back.  What
// the data folder holds before that is what the page shipped.
EM_JS(void, restore_saved, (), {
    try {
        var shipped = {};
        FS.readdir("/game/data").forEach(function(name) { shipped[name] = true; });
        Module["bodgerShipped"] = shipped;
        FS.readdir("/saved").forEach(function(name) {
            if (name === "." || name === ".." || shipped[name]) return;
            var from = "/saved/" + name;
            if (!FS.isFile(FS.stat(from).mode)) return;
            FS.writeFile("/game/data/" + name, FS.readFile(from));
        });
    } catch (err) {
        console.warn("Bodger 2010: saved files not restored: " + err);
    }
});

// Copies the files the game wrote to /saved and stores them; a failure is
// told on the console and the game goes on.
EM_JS(void, persist_saved, (), {
    try {
        var shipped = Module["bodgerShipped"] || {};
        FS.readdir("/game/data").forEach(function(name) {
            if (name === "." || name === ".." || shipped[name]) return;
            if (name.slice(-4) === ".tmp") return;  // a save still in progress
            if (name.slice(-5) === ".lock") return;  // empty; only copies on one disk share it
            var from = "/game/data/" + name;
            if (!FS.isFile(FS.stat(from).mode)) return;
            FS.writeFile("/saved/" + name, FS.readFile(from));
        });
        FS.syncfs(
            false, function(err) {
                if (err) console.warn("Bodger 2010: best score not stored in this browser: " + err);
                if (Module["onBodgerSaved"]) Module["onBodgerSaved"](!err);
            });
    } catch (err) {
        console.warn("Bodger 2010: best score not stored in this browser: " + err);
    }
});

// clang-format on
}  // namespace

namespace web_backend {

void RestoreSavedFiles() {
    restore_saved();
}

void PersistIfChanged() {
    if (!Changed()) return;
    Changed() = false;
    persist_saved();
}

}  // namespace web_backend

namespace platform {

// The save is finished (written and renamed) by the time the game next hands
// the browser control, so the copy waits for that.
void FilesChanged() {
    Changed() = true;
}

}  // namespace platform
