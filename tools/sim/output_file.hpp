// output_file.hpp -- the files a run writes (sound log, record, timing, shots,
// dumps): only ever a regular file or a new one, and opening one never waits,
// whatever the script names (a FIFO, a device, a folder).
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace sim {

// Why PATH cannot be written by a run, looked at without opening it: "" when
// it is a regular file (through any links) or does not exist yet, else the
// reason ("a FIFO, not a regular file").  For outputs written later in the
// run, so the script is refused before the game starts.
std::string output_refusal(const std::string& path);

// One output file, open for writing; closed when dropped.
class OutputFile {
   public:
    bool is_open() const { return file_ != nullptr; }
    std::FILE* stream() const { return file_.get(); }
    // False once anything written was lost (the first failure and every later call).
    bool write(std::string_view bytes);
    bool flush();
    // Flushes and closes; false when anything written was lost.
    bool close();

   private:
    friend OutputFile open_output_file(const std::string& path, std::string* why);
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    bool failed_ = false;
};

// Every file the runner writes is opened here: a regular file is emptied, a
// missing one created; anything else is refused unopened, and the open itself
// cannot block, so a path that turned into a FIFO after it was checked is
// still refused.  On failure the result is closed and *why says why ("" when
// the system gave no reason worth naming).
OutputFile open_output_file(const std::string& path, std::string* why = nullptr);

}  // namespace sim
