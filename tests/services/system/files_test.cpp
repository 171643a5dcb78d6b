// Small binary files: 4-byte ints, short files, paths written with backslashes.
#include "services/system/files.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/services/system/work_dir_fixture.hpp"

namespace fs = std::filesystem;

namespace {

// Each test runs in a fresh working directory, as the game does in its own.
class FilesTest : public WorkDirTest {
   protected:
    FilesTest() : WorkDirTest("files") {}
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
};

TEST_F(FilesTest, IntRoundTripsLittleEndianThroughBackslashPath) {
    StreamRef out = OpenForWriting("data\\hiscore.dat");
    ASSERT_TRUE(out);
    EXPECT_TRUE(WriteInt(out, -123456789));
    EXPECT_TRUE(WriteInt(out, 0x01020304));
    EXPECT_TRUE(Close(out));
    EXPECT_EQ(fs::file_size("data/hiscore.dat"), 8u);

    std::string raw;
    ASSERT_TRUE(ReadWholeFile("data\\hiscore.dat", raw));
    EXPECT_EQ(raw.substr(4), std::string("\x04\x03\x02\x01", 4));

    StreamRef in = OpenForReading("data\\hiscore.dat");
    ASSERT_TRUE(in);
    EXPECT_EQ(ReadInt(in), -123456789);
    EXPECT_EQ(ReadInt(in), 0x01020304);
    EXPECT_TRUE(Close(in));
}

TEST_F(FilesTest, ReadsPastTheEndGiveZero) {
    WriteBytes("data/four.dat", std::string("\x39\x30\x00\x00", 4));  // 12345
    StreamRef in = OpenForReading("data\\four.dat");
    ASSERT_TRUE(in);
    EXPECT_EQ(ReadInt(in), 12345);
    EXPECT_EQ(ReadInt(in), 0);
    EXPECT_EQ(ReadInt(in), 0);
}

TEST_F(FilesTest, ShortFileFillsTheHighBytesWithZero) {
    WriteBytes("data/short.dat", std::string("\xFF\xFF", 2));
    StreamRef in = OpenForReading("data\\short.dat");
    ASSERT_TRUE(in);
    EXPECT_EQ(ReadInt(in), 0xFFFF);
    EXPECT_EQ(ReadInt(in), 0);

    WriteBytes("data/empty.dat", "");
    EXPECT_EQ(ReadInt(OpenForReading("data\\empty.dat")), 0);
}

TEST_F(FilesTest, AbsolutePathsStartAtTheRoot) {
    EXPECT_EQ(AbsoluteHostPath("data\\hiscore.dat"), (dir_ / "data" / "hiscore.dat").string());
    EXPECT_EQ(AbsoluteHostPath("/var/games/x.dat"), "/var/games/x.dat");
}

TEST_F(FilesTest, PathKindTellsNothingFileAndDirectory) {
    WriteBytes("data/file.dat", "x");
    EXPECT_EQ(PathKind("data\\missing.dat"), 0);
    EXPECT_EQ(PathKind("data\\file.dat"), 1);
    EXPECT_EQ(PathKind("data"), 2);
    EXPECT_EQ(PathKind("incbin::graphx\\qwlogo.png"), 0);
}

TEST_F(FilesTest, OnlyFilesOpenForReading) {
    EXPECT_FALSE(OpenForReading("data"));
    EXPECT_FALSE(OpenForReading("data\\missing.dat"));
    std::string out = "kept";
    EXPECT_FALSE(ReadWholeFile("data", out));
    EXPECT_FALSE(ReadWholeFile("data\\missing.dat", out));
    EXPECT_EQ(out, "kept");
}

// A FIFO with nobody at the other end would block an ordinary open for ever.
TEST_F(FilesTest, AFifoIsRefusedWithoutWaiting) {
    ASSERT_EQ(mkfifo("data/pipe.dat", 0600), 0);
    EXPECT_EQ(PathKind("data\\pipe.dat"), 0);
    EXPECT_TRUE(PathTaken("data\\pipe.dat"));
    EXPECT_FALSE(OpenForReading("data\\pipe.dat"));
    EXPECT_FALSE(OpenForWriting("data\\pipe.dat"));
    EXPECT_FALSE(PathTaken("data\\missing.dat"));
}

TEST_F(FilesTest, AWholeFileIsReadOnlyUpToItsLimit) {
    WriteBytes("data/four.dat", "abcd");
    std::string out = "kept";
    EXPECT_FALSE(ReadWholeFile("data\\four.dat", out, 3));
    EXPECT_EQ(out, "kept");
    ASSERT_TRUE(ReadWholeFile("data\\four.dat", out, 4));
    EXPECT_EQ(out, "abcd");
}

TEST_F(FilesTest, WritingFailuresAreReported) {
    EXPECT_FALSE(OpenForWriting("data"));                  // a directory
    EXPECT_FALSE(OpenForWriting("nowhere\\hiscore.dat"));  // no such folder
    EXPECT_FALSE(WriteInt(nullptr, 1));
    EXPECT_FALSE(Close(nullptr));
    StreamRef out = OpenForWriting("data\\new.dat");
    EXPECT_TRUE(Close(out));
    EXPECT_FALSE(Close(out));  // already closed
    EXPECT_FALSE(WriteInt(out, 1));
}

}  // namespace
