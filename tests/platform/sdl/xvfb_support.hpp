// xvfb_support.hpp -- a private X server of a chosen size for the tests of
// the real window, and small helpers that run the X tools against it.
#pragma once

#include <string>

namespace sdl_test {

class XServer {
   public:
    // Starts Xvfb with one screen of width x height; DISPLAY names it from
    // then on.  running() is false when Xvfb is missing or failed.
    XServer(int width, int height);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    bool running() const { return pid_ > 0; }

   private:
    int pid_ = -1;
    std::string old_display_;
    bool had_display_ = false;
};

// Runs a shell command; returns its standard output and puts its exit
// status in *status.
std::string Run(const std::string& command, int* status = nullptr);

// The geometry of the named top-level window as the X server sees it.
struct Geometry {
    int x = -1, y = -1, w = -1, h = -1;
};
Geometry WindowGeometry(const std::string& name);

}  // namespace sdl_test
