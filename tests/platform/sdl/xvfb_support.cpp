// xvfb_support.cpp -- starting and stopping a private X server.
#include "tests/platform/sdl/xvfb_support.hpp"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace sdl_test {

XServer::XServer(int width, int height) {
    if (const char* d = std::getenv("DISPLAY")) {
        had_display_ = true;
        old_display_ = d;
    }
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const std::string fd = std::to_string(fds[1]);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return;
    }
    // Xvfb writes its display number once it accepts clients.
    char buf[32] = {};
    std::size_t got = 0;
    while (got < sizeof buf - 1) {
        const ssize_t n = read(fds[0], buf + got, sizeof buf - 1 - got);
        if (n <= 0) break;
        got += std::size_t(n);
        if (buf[got - 1] == '\n') break;
    }
    close(fds[0]);
    if (got == 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return;
    }
    pid_ = pid;
    std::string display = ":";
    display += std::to_string(std::atoi(buf));
    setenv("DISPLAY", display.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
}

XServer::~XServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    if (had_display_) {
        setenv("DISPLAY", old_display_.c_str(), 1);
    } else {
        unsetenv("DISPLAY");
    }
}

std::string Run(const std::string& command, int* status) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        if (status) *status = -1;
        return out;
    }
    char buf[512];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
    const int rc = pclose(pipe);
    if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

Geometry WindowGeometry(const std::string& name) {
    Geometry g;
    std::istringstream in(Run("xwininfo -name '" + name + "' 2>/dev/null"));
    std::string line;
    while (std::getline(in, line)) {
        auto value = [&line](const char* key, int* out) {
            const auto at = line.find(key);
            if (at != std::string::npos) *out = std::atoi(line.c_str() + at + std::strlen(key));
        };
        value("Absolute upper-left X:", &g.x);
        value("Absolute upper-left Y:", &g.y);
        value("Width:", &g.w);
        value("Height:", &g.h);
    }
    return g;
}

}  // namespace sdl_test
