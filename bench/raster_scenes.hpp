// raster_scenes.hpp -- the three draw lists shaped like the game's heaviest
// frames (the story, a TNT blast, the star field with torches), drawn by the
// raster benchmark and by the test that holds the draw list to drawing at once.
#pragma once

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "services/graphics/draw.hpp"
#include "services/graphics/font.hpp"
#include "services/graphics/image.hpp"

namespace raster_scenes {

// One draw of a list: the state a sip and SetColor would set, then a frame
// (centred sprite) or a text (top-left of the line at x, y).
struct Draw {
    int blend = BLEND_MASK;
    float alpha = 1, rot = 0, sx = 1, sy = 1;
    int r = 255, g = 255, b = 255;
    ImageRef image;
    std::string text;
    float x = 0, y = 0;
};
using DrawList = std::vector<Draw>;

// ---- The sprites: the game's own 32x32 frames, cut from its sheet -------

// Cuts sheet cell f (rows of 19 cells, a one-pixel gutter left of and above
// each) as the game does: the sheet drawn into the back buffer, the cell grabbed.
inline ImageRef CutFrame(const ImageRef& sheet, int f) {
    Cls();
    SetBlend(BLEND_SOLID);
    DrawImageFrame(sheet, 0, 0, 0);
    ImageRef image = NewImage(32, 32, 1, -1);
    GrabImageFrame(image, 1 + f % 19 * 33, 1 + f / 19 * 33, 0);
    CentreHandle(image);
    SetBlend(BLEND_MASK);
    return image;
}

struct Sprites {
    explicit Sprites(const ImageRef& sheet)
        : star(CutFrame(sheet, 1)),
          ground(CutFrame(sheet, 2)),
          brick(CutFrame(sheet, 4)),
          flame(CutFrame(sheet, 7)),
          smoke(CutFrame(sheet, 8)),
          glow(CutFrame(sheet, 9)),
          remote_glow(CutFrame(sheet, 41)),
          remote(CutFrame(sheet, 42)) {}
    ImageRef star, ground, brick, flame, smoke, glow, remote_glow, remote;
};

// ---- The three frames -----------------------------------------------------

struct Scenes {
    explicit Scenes(const ImageRef& sheet) : sprites(sheet) {}
    Sprites sprites;
    FontRef font;
    DrawList story, blast, stars;
};

inline float Rnd(std::mt19937& rng, float a, float b) {
    return std::uniform_real_distribution<float>(a, b)(rng);
}

// Story introduction: the remote at five times its size in a flickering
// additive glow, and the two captions centred at size 22.
inline DrawList StoryFrame(const Sprites& s) {
    std::mt19937 rng(1);
    DrawList list;
    const float glow_alpha = Rnd(rng, 0.5f, 1), sx = 5 + Rnd(rng, 0, 2), sy = 5 + Rnd(rng, 0, 2);
    for (int i = 0; i < 5; ++i)
        list.push_back(
            {BLEND_LIGHT, glow_alpha, 0, sx, sy, 255, 255, 255, s.remote_glow, "", 320, 240});
    list.push_back({BLEND_MASK, 1, 0, 5, 5, 255, 255, 255, s.remote, "", 320, 240});
    for (const auto& [text, y] :
         {std::pair<std::string, float>{"An Ordinary Guy Finds a Suspicious Remote.", 80},
          {"The Unsuspecting Bodger Presses The Button..", 390}}) {
        const float x = 320 - float(StringWidth(text)) / 2, top = y - float(FontHeight()) / 2;
        list.push_back({BLEND_ALPHA, 1, 0, 1, 1, 50, 200, 255, nullptr, text, x, top});
    }
    return list;
}

// A TNT blast: the level's ground and bricks, then the explosion's additive
// flames, the rings of smoke and the spinning brick pieces.
inline DrawList BlastFrame(const Sprites& s) {
    std::mt19937 rng(2);
    DrawList list;
    for (int i = 0; i < 270; ++i) {
        const float x = float(i % 20 * 32 + 16), y = float(i / 20 * 32 + 48);
        list.push_back({BLEND_MASK, 1, 0, 1, 1, 125, 125, 125, s.ground, "", x, y});
    }
    for (int i = 0; i < 60; ++i) {
        const int cell = int(Rnd(rng, 0, 270));
        const float x = float(cell % 20 * 32 + 16), y = float(cell / 20 * 32 + 48);
        list.push_back({BLEND_MASK, 1, 0, 1, 1, 125, 125, 125, s.brick, "", x, y});
    }
    for (int i = 0; i < 300; ++i) {
        const float sc = Rnd(rng, 1, 2);
        list.push_back({BLEND_LIGHT, Rnd(rng, 0.1f, 1), 0, sc, sc, 255, 255, 255, s.flame, "",
                        Rnd(rng, 200, 440), Rnd(rng, 150, 330)});
    }
    for (int i = 0; i < 110; ++i) {
        const float sc = Rnd(rng, 0.5f, 3.5f);
        list.push_back({BLEND_ALPHA, Rnd(rng, 0.02f, 1), float(i % 11 * 36), sc, sc, 255, 255, 255,
                        s.smoke, "", Rnd(rng, 180, 460), Rnd(rng, 130, 350)});
    }
    for (int i = 0; i < 100; ++i) {
        const float sc = Rnd(rng, 0.1f, 0.3f);
        list.push_back({BLEND_MASK, 1, float(int(Rnd(rng, 0, 360))), sc, sc, 130, 130, 130, s.brick,
                        "", Rnd(rng, 150, 490), Rnd(rng, 50, 480)});
    }
    return list;
}

// The star field behind every screen, and the flames and smoke of five torches.
inline DrawList StarsFrame(const Sprites& s) {
    std::mt19937 rng(3);
    DrawList list;
    for (int i = 0; i < 100; ++i) {
        const float sc = 0.8f - 0.2f * float(i / 25);
        const float x = float(int(Rnd(rng, 0, 640))), y = float(int(Rnd(rng, 0, 480)));
        list.push_back({BLEND_LIGHT, 0.5f, 0, sc + 0.2f, sc + 0.2f, 50, 60, 150, s.glow, "", x, y});
        list.push_back({BLEND_LIGHT, 1, 0, sc, sc, 255, 255, 255, s.star, "", x, y});
    }
    for (int i = 0; i < 300; ++i) {
        const float tx = float(80 + i % 5 * 120), ty = float(100 + i % 5 * 70);
        if (i % 3 != 0) {
            const float sc = Rnd(rng, 0.4f, 1);
            list.push_back({BLEND_LIGHT, 0.4f, 0, sc, sc, 255, 255, 255, s.flame, "",
                            tx + Rnd(rng, -2, 2), ty - Rnd(rng, 0, 60)});
        } else {
            const float sc = Rnd(rng, 0.5f, 1.4f);
            list.push_back({BLEND_ALPHA, Rnd(rng, 0.02f, 0.6f), 0, sc, sc, 255, 255, 255, s.smoke,
                            "", tx + Rnd(rng, -2, 2), ty - Rnd(rng, 60, 130)});
        }
    }
    return list;
}

// Ours: the list through the game's drawing service, from a clear.
inline void OursFrame(const DrawList& list) {
    Cls();
    for (const Draw& d : list) {
        SetColor(d.r, d.g, d.b);
        SetBlend(d.blend);
        SetAlpha(d.alpha);
        SetDrawTransform(d.rot, d.sx, d.sy);
        if (d.image) {
            DrawImageFrame(d.image, d.x, d.y, 0);
        } else {
            DrawString(d.text, d.x, d.y);
        }
    }
}

}  // namespace raster_scenes
