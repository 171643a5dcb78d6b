// runner.hpp -- the headless runner: runs the whole program on the headless
// back end, driven by a script (see docs/runner.md).
#pragma once

#include <string>

// Runs the script text in the current directory; returns the exit status:
// 0 the program ended or reached `stop`, 2 a script line it cannot read or
// an output that is not a regular file (nothing is run), 3 a wait that no
// scripted event can end, 4 as 0 but a file the run had to write (log,
// record, shot, dump) was not written whole.
int run_script(const std::string& script_text, std::string* message = nullptr);
int run_script_file(const std::string& path, std::string* message = nullptr);
