// The sprite sheet as the game registers it, read pixel by pixel for the asset tests.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "assets/embedded.hpp"
#include "services/graphics/image.hpp"

namespace sheet {

constexpr int kFrames = 91;
constexpr int kCell = 32;

// Frames the game draws; every other cell stays empty.
inline const std::set<int>& DrawnFrames() {
    static const std::set<int> drawn = [] {
        std::set<int> s = {0, 1, 2, 4, 5, 6, 7, 8, 9, 18, 19, 20, 21, 22, 77, 78, 79, 84, 85, 90};
        for (int f = 27; f <= 59; ++f) s.insert(f);
        for (int f = 62; f <= 73; ++f) s.insert(f);
        return s;
    }();
    return drawn;
}

inline int CellX(int f) {
    return 1 + 33 * (f % 19);
}  // left column of frame f on the sheet
inline int CellY(int f) {
    return 1 + 33 * (f / 19);
}  // top row of frame f on the sheet

// The sheet loaded unmasked from the registry, so every pixel keeps its colour.
struct Sheet {
    ImageRef image;
    Sheet() {
        register_embedded_assets();
        image = LoadImageFile("incbin::graphx\\bodger2010_sf1.png", 0);
    }
    std::uint32_t At(int x, int y) const {  // 0xRRGGBB at sheet pixel (x, y)
        return image->pixmaps[0][std::size_t(y) * image->width + x] & 0xFFFFFFu;
    }
    bool Solid(int x, int y) const { return At(x, y) != 0; }  // pure black is transparent
    std::uint32_t Cell(int f, int x, int y) const { return At(CellX(f) + x, CellY(f) + y); }
    bool CellSolid(int f, int x, int y) const { return Cell(f, x, y) != 0; }
    int SolidCount(int f) const {
        int n = 0;
        for (int y = 0; y < kCell; ++y)
            for (int x = 0; x < kCell; ++x) n += CellSolid(f, x, y);
        return n;
    }
    int RowWidth(int f, int y) const {  // solid pixels in one row of a frame
        int n = 0;
        for (int x = 0; x < kCell; ++x) n += CellSolid(f, x, y);
        return n;
    }
};

}  // namespace sheet
