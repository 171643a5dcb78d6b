// Which GL renderer strings belong to software rasterisers, so that only
// those screens lose the GPU's present path.
#include <gtest/gtest.h>

#include "services/platform/sdl/cpu_present.hpp"

namespace {

TEST(SoftwareGl, NamesOfSoftwareRasterisersOnly) {
    for (const char* name : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe",
                             "Gallium 0.4 on SWRAST", "Software Rasterizer", "LLVMPIPE"})
        EXPECT_TRUE(sdl_backend::IsSoftwareGl(name)) << name;
    for (const char* name :
         {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)",
          "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)",
          "NVIDIA GeForce GTX 1060/PCIe/SSE2", "", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(sdl_backend::IsSoftwareGl(name)) << (name ? name : "(null)");
}

}  // namespace
