// output_file_test.cpp -- the runner's output files: regular files written
// and emptied, everything else refused at once with its kind named.
#include "tools/sim/output_file.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/app/sim_fixture.hpp"

namespace {

class OutputFileTest : public SimTest {};

TEST_F(OutputFileTest, ARegularFileIsCreatedOrEmptied) {
    std::string why = "stale";
    sim::OutputFile out = sim::open_output_file("new.txt", &why);
    ASSERT_TRUE(out.is_open());
    EXPECT_EQ(why, "");
    EXPECT_TRUE(out.write("a longer first text\n"));
    EXPECT_TRUE(out.close());

    out = sim::open_output_file("new.txt", &why);
    ASSERT_TRUE(out.is_open());
    EXPECT_TRUE(out.write("short\n"));
    EXPECT_TRUE(out.close());
    EXPECT_EQ(read_file("new.txt"), "short\n");

    // No folder to create it in: no reason worth more than "cannot write".
    out = sim::open_output_file("no/such/folder.txt", &why);
    EXPECT_FALSE(out.is_open());
    EXPECT_EQ(why, "");
    EXPECT_FALSE(out.write("x"));
}

TEST_F(OutputFileTest, EverythingElseIsRefusedWithoutWaiting) {
    ASSERT_EQ(mkfifo("fifo", 0600), 0);
    std::filesystem::create_directory("folder");
    std::filesystem::create_symlink("fifo", "link_to_fifo");
    alarm(60);  // a blocking open ends the test instead of hanging it
    // With a reader on the other end, the open itself would succeed at once.
    const int reader = open("fifo", O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const struct {
        const char* path;
        const char* why;
    } cases[] = {{"fifo", "a FIFO, not a regular file"},
                 {"link_to_fifo", "a FIFO, not a regular file"},
                 {"/dev/zero", "a device, not a regular file"},
                 {"/dev/null", "a device, not a regular file"},
                 {"folder", "a folder, not a regular file"}};
    for (const auto& c : cases) {
        EXPECT_EQ(sim::output_refusal(c.path), c.why) << c.path;
        std::string why;
        EXPECT_FALSE(sim::open_output_file(c.path, &why).is_open()) << c.path;
        EXPECT_EQ(why, c.why);
    }
    close(reader);
    alarm(0);
    EXPECT_EQ(sim::output_refusal("missing.txt"), "");
}

}  // namespace
