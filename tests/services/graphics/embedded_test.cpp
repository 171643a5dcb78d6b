// The registry of built-in files: how names are matched, and reading a
// resource from it or from the working directory.
#include "services/graphics/embedded.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

const unsigned char kLogo[] = {1, 2, 3, 4};
const unsigned char kOther[] = {9, 9};

class EmbeddedTest : public ::testing::Test {
   protected:
    void SetUp() override { ClearEmbedded(); }
    void TearDown() override { ClearEmbedded(); }
};

TEST_F(EmbeddedTest, SchemeIgnoresCaseButNameIsExact) {
    RegisterEmbedded("graphx\\qwlogo.png", kLogo, sizeof kLogo);
    for (const char* path : {"incbin::graphx\\qwlogo.png", "Incbin::graphx\\qwlogo.png",
                             "INCBIN::graphx\\qwlogo.png"}) {
        const unsigned char* bytes = nullptr;
        std::size_t size = 0;
        ASSERT_TRUE(FindEmbedded(path, &bytes, &size)) << path;
        EXPECT_EQ(bytes, kLogo) << "registered bytes are used in place, not copied";
        EXPECT_EQ(size, sizeof kLogo);
    }
    for (const char* path :
         {"incbin::graphx\\QWLOGO.png", "incbin::graphx/qwlogo.png", "incbin:graphx\\qwlogo.png",
          "graphx\\qwlogo.png", "zip::graphx\\qwlogo.png", "incbin::", ""}) {
        EXPECT_FALSE(FindEmbedded(path, nullptr, nullptr)) << path;
    }
}

TEST_F(EmbeddedTest, SecondRegistrationOfANameIsIgnored) {
    RegisterEmbedded("fonts\\babyu___.ttf", kLogo, sizeof kLogo);
    RegisterEmbedded("fonts\\babyu___.ttf", kOther, sizeof kOther);
    const unsigned char* bytes = nullptr;
    std::size_t size = 0;
    ASSERT_TRUE(FindEmbedded("incbin::fonts\\babyu___.ttf", &bytes, &size));
    EXPECT_EQ(bytes, kLogo);
    EXPECT_EQ(size, sizeof kLogo);

    ClearEmbedded();
    EXPECT_FALSE(FindEmbedded("incbin::fonts\\babyu___.ttf", nullptr, nullptr));
}

TEST_F(EmbeddedTest, ReadResourceFromRegistryOrFile) {
    RegisterEmbedded("a.bin", kLogo, sizeof kLogo);
    std::string out;
    ASSERT_TRUE(ReadResource("Incbin::a.bin", out));
    EXPECT_EQ(out, std::string("\1\2\3\4"));
    EXPECT_FALSE(ReadResource("incbin::b.bin", out));

    // A file named with backslashes, relative to the working directory.
    const std::filesystem::path dir = "embedded_test_dir";
    std::filesystem::create_directories(dir);
    { std::ofstream(dir / "res.bin", std::ios::binary) << "file bytes"; }
    out.clear();
    EXPECT_TRUE(ReadResource("embedded_test_dir\\res.bin", out));
    EXPECT_EQ(out, "file bytes");
    EXPECT_FALSE(ReadResource("embedded_test_dir\\missing.bin", out));
    std::filesystem::remove_all(dir);
}

}  // namespace
