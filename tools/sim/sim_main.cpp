// sim_main.cpp -- bodger2010-sim SCRIPT: the whole game on the headless back
// end, driven by a script, in the current directory.
#include <cstdio>
#include <string>

#include "tools/sim/runner.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bodger2010-sim SCRIPT\n");
        return 2;
    }
    std::string message;
    int status = run_script_file(argv[1], &message);
    if (!message.empty()) std::fprintf(stderr, "bodger2010-sim: %s\n", message.c_str());
    return status;
}
