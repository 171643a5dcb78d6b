// PNG: frames written and read back, every colour type to RGBA, and broken
// or missing files giving none.
#include "services/graphics/png.hpp"

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "raster_support.hpp"
#include "services/graphics/embedded.hpp"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A PNG of the given layout in memory, written by libpng's own simple writer.
std::string Encode(png_uint_32 format, int w, int h, const void* pixels,
                   const void* colormap = nullptr, int colors = 0) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(w);
    image.height = png_uint_32(h);
    image.format = format;
    image.colormap_entries = png_uint_32(colors);
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, pixels, 0, colormap);
    std::string out(size, '\0');
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, colormap));
    out.resize(size);
    return out;
}

TPngPicture Decode(const std::string& bytes) {
    TPngPicture picture;
    EXPECT_TRUE(
        DecodePng(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), picture));
    return picture;
}

class Png : public RasterTest {
   protected:
    // Each test process works in a folder of its own: ctest runs the cases in
    // parallel, and a shared folder removed by one case broke the others.
    void SetUp() override {
        RasterTest::SetUp();
        home_ = std::filesystem::current_path();
        dir_ =
            std::filesystem::temp_directory_path() / ("bodger_png_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_ / "png_test_files");
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(home_);
        std::filesystem::remove_all(dir_);
        ClearEmbedded();
        RasterTest::TearDown();
    }

   private:
    std::filesystem::path home_, dir_;
};

TEST_F(Png, SavedFrameLoadsBackAsTheSamePixels) {
    const std::uint32_t frame[6] = {0xFF102030u, 0xFF000000u, 0xFFFFFFFFu,
                                    0xFF0000FFu, 0xFF808080u, 0xFF00FF00u};
    ASSERT_TRUE(SavePng("png_test_files/frame.png", frame, 3, 2));
    // Backslashes are the game's own separators.
    ImageRef image = LoadImageFile("png_test_files\\frame.png", IMAGE_FILTERED);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->Frames(), 1);
    EXPECT_EQ(image->flags, IMAGE_FILTERED);  // loads do not add IMAGE_DYNAMIC
    EXPECT_EQ(std::vector<std::uint32_t>(frame, frame + 6), image->pixmaps[0]);

    // With the default flags the black pixel is masked out.
    SetAutoCentreHandle(true);
    ImageRef masked = LoadImageFile("png_test_files/frame.png");
    SetAutoCentreHandle(false);
    ASSERT_TRUE(masked);
    EXPECT_EQ(masked->pixmaps[0][1] >> 24, 0u);
    EXPECT_EQ(masked->pixmaps[0][0], 0xFF102030u);
    EXPECT_EQ(masked->handle_x, 1.5f);
}

TEST_F(Png, EveryColourTypeBecomesRgba) {
    const unsigned char gray[2] = {0x00, 0x7F};
    TPngPicture g = Decode(Encode(PNG_FORMAT_GRAY, 2, 1, gray));
    EXPECT_FALSE(g.has_alpha);
    EXPECT_EQ(g.pixels, (std::vector<std::uint32_t>{0xFF000000u, 0xFF7F7F7Fu}));

    const unsigned char ga[4] = {0x40, 0x80, 0xFF, 0x00};
    TPngPicture a = Decode(Encode(PNG_FORMAT_GA, 2, 1, ga));
    EXPECT_TRUE(a.has_alpha);
    EXPECT_EQ(a.pixels, (std::vector<std::uint32_t>{0x80404040u, 0x00FFFFFFu}));

    const unsigned char palette[6] = {255, 0, 0, 0, 0, 200};
    const unsigned char index[3] = {1, 0, 1};
    TPngPicture p = Decode(Encode(PNG_FORMAT_RGB_COLORMAP, 3, 1, index, palette, 2));
    EXPECT_FALSE(p.has_alpha);
    EXPECT_EQ(p.pixels, (std::vector<std::uint32_t>{0xFF0000C8u, 0xFFFF0000u, 0xFF0000C8u}));
}

TEST_F(Png, GarbageTruncatedAndMissingGiveNone) {
    const std::uint32_t frame[4] = {0xFF102030u, 0xFF405060u, 0xFF708090u, 0xFFA0B0C0u};
    ASSERT_TRUE(SavePng("png_test_files/whole.png", frame, 2, 2));
    const std::string whole = ReadAll("png_test_files/whole.png");
    std::string garbage = whole;
    for (std::size_t i = 16; i < garbage.size(); i += 3) garbage[i] = char(garbage[i] ^ 0x5A);
    for (const std::string& bytes :
         {whole.substr(0, 8), whole.substr(0, 30), whole.substr(0, whole.size() - 13), garbage,
          std::string("not a picture at all")}) {
        std::ofstream("png_test_files/bad.png", std::ios::binary) << bytes;
        EXPECT_FALSE(LoadImageFile("png_test_files/bad.png")) << bytes.size();
    }
    EXPECT_FALSE(LoadImageFile("png_test_files/missing.png"));
    EXPECT_FALSE(LoadImageFile("png_test_files"));
    EXPECT_FALSE(SavePng("png_test_files/no/such/dir.png", frame, 2, 2));
}

TEST_F(Png, EmbeddedPicturesLoadByName) {
    static std::string bytes;  // the registry keeps a pointer: it must outlive the test
    const unsigned char rgba[4] = {9, 8, 7, 255};
    bytes = Encode(PNG_FORMAT_RGBA, 1, 1, rgba);
    RegisterEmbedded("graphx\\dot.png", reinterpret_cast<const unsigned char*>(bytes.data()),
                     bytes.size());
    ImageRef image = LoadImageFile("Incbin::graphx\\dot.png");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixmaps[0][0], 0xFF090807u);
    EXPECT_FALSE(LoadImageFile("incbin::graphx\\DOT.png"));
}

}  // namespace
