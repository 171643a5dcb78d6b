// bench_raster.cpp -- our rasteriser timed on draw lists shaped like the
// game's heaviest frames, beside two peers drawing the very same lists:
// SDL2's software renderer and pixman.  One iteration is one whole frame:
// clear, then every draw of the list.
#include <SDL.h>
#include <benchmark/benchmark.h>
#ifdef BODGER_HAVE_PIXMAN
#include <pixman.h>
#endif

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "assets/embedded.hpp"
#include "bench/raster_scenes.hpp"
#include "services/graphics/display.hpp"
#include "services/graphics/draw.hpp"
#include "services/graphics/draw_list.hpp"
#include "services/graphics/font.hpp"
#include "services/graphics/image.hpp"

namespace {

using namespace raster_scenes;

constexpr int kWidth = 640, kHeight = 480;

// The drawing matrix of a rotation and scale, as the drawing state builds it.
struct Matrix {
    float ix, iy, jx, jy;
};
Matrix MatrixOf(const Draw& d) {
    const double rad = d.rot * 3.14159265358979323846 / 180.0;
    const float c = float(std::cos(rad)), s = float(std::sin(rad));
    return {c * d.sx, -s * d.sy, s * d.sx, c * d.sy};
}

// Texts become one glyph draw each for the peers, placed as DrawString
// places them (frame corner at pen + offset, pen moved by the advance).
DrawList ExpandTexts(const DrawList& list, TImageFont& font) {
    DrawList out;
    for (const Draw& d : list) {
        if (d.image) {
            out.push_back(d);
            continue;
        }
        const Matrix m = MatrixOf(d);
        float pen_x = d.x, pen_y = d.y;
        for (const char ch : d.text) {
            const TImageGlyph* glyph = FindGlyph(font, static_cast<unsigned char>(ch));
            if (!glyph) continue;
            if (glyph->_image) {
                Draw g = d;
                g.text.clear();
                g.image = glyph->_image;
                g.x = pen_x + float(glyph->_x) * m.ix + float(glyph->_y) * m.iy;
                g.y = pen_y + float(glyph->_x) * m.jx + float(glyph->_y) * m.jy;
                out.push_back(std::move(g));
            }
            pen_x += m.ix * glyph->_advance;
            pen_y += m.jx * glyph->_advance;
        }
    }
    return out;
}

// The screen corners of a frame drawn at (x, y): top-left, top-right,
// bottom-right, bottom-left.
struct Corners {
    float x[4], y[4];
};
Corners CornersOf(const Draw& d) {
    const Matrix m = MatrixOf(d);
    const TImage& im = *d.image;
    const float u[4] = {-im.handle_x, im.width - im.handle_x, im.width - im.handle_x, -im.handle_x};
    const float v[4] = {-im.handle_y, -im.handle_y, im.height - im.handle_y,
                        im.height - im.handle_y};
    Corners c;
    for (int i = 0; i < 4; ++i) {
        c.x[i] = d.x + u[i] * m.ix + v[i] * m.iy;
        c.y[i] = d.y + u[i] * m.jx + v[i] * m.jy;
    }
    return c;
}

// ---- SDL2's software renderer ---------------------------------------------

class SdlPeer {
   public:
    SdlPeer() {
        surface_ = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer_ = surface_ ? SDL_CreateSoftwareRenderer(surface_) : nullptr;
    }
    ~SdlPeer() {
        for (auto& [image, texture] : textures_) SDL_DestroyTexture(texture);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (surface_) SDL_FreeSurface(surface_);
    }
    SdlPeer(const SdlPeer&) = delete;
    SdlPeer& operator=(const SdlPeer&) = delete;

    bool ok() const { return renderer_ != nullptr; }

    void Frame(const DrawList& list) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        for (const Draw& d : list) {
            SDL_Texture* texture = TextureOf(*d.image);
            SDL_SetTextureBlendMode(texture, d.blend == BLEND_LIGHT   ? SDL_BLENDMODE_ADD
                                             : d.blend == BLEND_SOLID ? SDL_BLENDMODE_NONE
                                                                      : SDL_BLENDMODE_BLEND);
            const Corners c = CornersOf(d);
            const SDL_Color colour{Uint8(d.r), Uint8(d.g), Uint8(d.b), Uint8(d.alpha * 255)};
            static const float kU[4] = {0, 1, 1, 0}, kV[4] = {0, 0, 1, 1};
            SDL_Vertex v[4];
            for (int i = 0; i < 4; ++i) v[i] = {{c.x[i], c.y[i]}, colour, {kU[i], kV[i]}};
            static const int kIndices[6] = {0, 1, 2, 0, 2, 3};
            SDL_RenderGeometry(renderer_, texture, v, 4, kIndices, 6);
        }
        SDL_RenderFlush(renderer_);
    }

    const std::uint32_t* Pixels() const {
        return static_cast<const std::uint32_t*>(surface_->pixels);
    }

   private:
    SDL_Texture* TextureOf(const TImage& image) {
        auto [it, added] = textures_.try_emplace(&image, nullptr);
        if (added) {
            it->second = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_STATIC, image.width, image.height);
            SDL_UpdateTexture(it->second, nullptr, image.pixmaps[0].data(), image.width * 4);
            SDL_SetTextureScaleMode(it->second, SDL_ScaleModeNearest);
        }
        return it->second;
    }

    SDL_Surface* surface_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    std::map<const TImage*, SDL_Texture*> textures_;
};

#ifdef BODGER_HAVE_PIXMAN
// ---- pixman ---------------------------------------------------------------

class PixmanPeer {
   public:
    PixmanPeer() : pixels_(kWidth * kHeight) {
        dest_ =
            pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight, pixels_.data(), kWidth * 4);
    }
    ~PixmanPeer() {
        for (auto& [image, source] : sources_) pixman_image_unref(source.image);
        for (auto& [key, mask] : masks_) pixman_image_unref(mask);
        pixman_image_unref(dest_);
    }
    PixmanPeer(const PixmanPeer&) = delete;
    PixmanPeer& operator=(const PixmanPeer&) = delete;

    void Frame(const DrawList& list) {
        pixman_fill(pixels_.data(), kWidth, 32, 0, 0, kWidth, kHeight, 0xFF000000u);
        for (const Draw& d : list) DrawOne(d);
    }

    const std::uint32_t* Pixels() const { return pixels_.data(); }

   private:
    struct Source {
        std::vector<std::uint32_t> premultiplied;
        pixman_image_t* image = nullptr;
    };

    void DrawOne(const Draw& d) {
        const int a = int(d.alpha * 255);
        const bool white = (d.r & d.g & d.b) == 255;
        pixman_image_t* src;
        pixman_image_t* mask;
        pixman_op_t op;
        if (d.blend == BLEND_LIGHT || white) {
            // The colour and alpha as a solid component-alpha mask (exact for
            // ADD, and for OVER while the colour is white); none when it would
            // change nothing, which lets pixman take its plainest path.
            src = SourceOf(*d.image, 0xFFFFFF);
            mask = (white && a == 255) ? nullptr : MaskOf(d.r, d.g, d.b, a, !white);
            op = d.blend == BLEND_LIGHT ? PIXMAN_OP_ADD : PIXMAN_OP_OVER;
        } else {
            // OVER with a component-alpha mask would also let the destination
            // show through by the colour (d x (1 - sa x colour)): tinted draws
            // use a copy of the frame tinted once, and the alpha as the mask.
            src = SourceOf(*d.image, std::uint32_t(d.r << 16 | d.g << 8 | d.b));
            mask = a == 255 ? nullptr : MaskOf(255, 255, 255, a, false);
            op = d.blend == BLEND_SOLID ? PIXMAN_OP_SRC : PIXMAN_OP_OVER;
        }
        const Corners c = CornersOf(d);
        float x0 = c.x[0], x1 = c.x[0], y0 = c.y[0], y1 = c.y[0];
        for (int i = 1; i < 4; ++i) {
            x0 = std::min(x0, c.x[i]);
            x1 = std::max(x1, c.x[i]);
            y0 = std::min(y0, c.y[i]);
            y1 = std::max(y1, c.y[i]);
        }
        // Pixels whose centres lie inside the box.
        const int px0 = std::max(0, int(std::ceil(x0 - 0.5f))),
                  px1 = std::min(kWidth, int(std::ceil(x1 - 0.5f)));
        const int py0 = std::max(0, int(std::ceil(y0 - 0.5f))),
                  py1 = std::min(kHeight, int(std::ceil(y1 - 0.5f)));
        if (px0 >= px1 || py0 >= py1) return;

        if (d.rot == 0 && d.sx == 1 && d.sy == 1) {
            // Unrotated and unscaled: a plain offset blit.
            pixman_image_set_transform(src, nullptr);
            const int left = int(std::ceil(c.x[0] - 0.5f)), top = int(std::ceil(c.y[0] - 0.5f));
            pixman_image_composite32(op, src, mask, dest_, px0 - left, py0 - top, 0, 0, px0, py0,
                                     px1 - px0, py1 - py0);
            return;
        }
        // Destination pixel centres map back into the frame: s = M^-1 (p - pos) + handle.
        const Matrix m = MatrixOf(d);
        const double det = double(m.ix) * m.jy - double(m.iy) * m.jx;
        if (det == 0) return;
        const double a00 = m.jy / det, a01 = -m.iy / det, a10 = -m.jx / det, a11 = m.ix / det;
        const double tx = d.image->handle_x - (a00 * d.x + a01 * d.y);
        const double ty = d.image->handle_y - (a10 * d.x + a11 * d.y);
        pixman_transform_t t;
        pixman_transform_init_identity(&t);
        t.matrix[0][0] = pixman_double_to_fixed(a00);
        t.matrix[0][1] = pixman_double_to_fixed(a01);
        t.matrix[0][2] = pixman_double_to_fixed(tx);
        t.matrix[1][0] = pixman_double_to_fixed(a10);
        t.matrix[1][1] = pixman_double_to_fixed(a11);
        t.matrix[1][2] = pixman_double_to_fixed(ty);
        pixman_image_set_transform(src, &t);
        pixman_image_composite32(op, src, mask, dest_, px0, py0, 0, 0, px0, py0, px1 - px0,
                                 py1 - py0);
    }

    // The frame premultiplied, tinted by a colour (0xFFFFFF: as it is).
    pixman_image_t* SourceOf(const TImage& image, std::uint32_t rgb) {
        auto [it, added] = sources_.try_emplace({&image, rgb});
        Source& s = it->second;
        if (added) {
            s.premultiplied.resize(image.pixmaps[0].size());
            for (std::size_t i = 0; i < s.premultiplied.size(); ++i) {
                const std::uint32_t p = image.pixmaps[0][i], a = p >> 24;
                auto mul = [&](int shift) {
                    const std::uint32_t tint = rgb >> shift & 0xFF;
                    return ((p >> shift & 0xFF) * tint / 255 * a + 127) / 255 << shift;
                };
                s.premultiplied[i] = a << 24 | mul(16) | mul(8) | mul(0);
            }
            s.image = pixman_image_create_bits(PIXMAN_a8r8g8b8, image.width, image.height,
                                               s.premultiplied.data(), image.width * 4);
            pixman_image_set_filter(s.image, PIXMAN_FILTER_NEAREST, nullptr, 0);
            pixman_image_set_repeat(s.image, PIXMAN_REPEAT_NONE);
        }
        return s.image;
    }

    pixman_image_t* MaskOf(int r, int g, int b, int a, bool component_alpha) {
        const std::uint64_t key =
            std::uint64_t(component_alpha) << 32 | std::uint32_t(a) << 24 | r << 16 | g << 8 | b;
        auto [it, added] = masks_.try_emplace(key, nullptr);
        if (added) {
            auto channel = [&](int v) { return std::uint16_t(v * a * 0x101 / 255); };
            const pixman_color_t colour{channel(r), channel(g), channel(b),
                                        std::uint16_t(a * 0x101)};
            it->second = pixman_image_create_solid_fill(&colour);
            pixman_image_set_component_alpha(it->second, component_alpha);
        }
        return it->second;
    }

    std::vector<std::uint32_t> pixels_;
    pixman_image_t* dest_ = nullptr;
    std::map<std::pair<const TImage*, std::uint32_t>, Source> sources_;
    std::map<std::uint64_t, pixman_image_t*> masks_;
};
#else
// Built without pixman: the peer draws nothing and is not timed.
class PixmanPeer {
   public:
    PixmanPeer() : pixels_(kWidth * kHeight) {}
    void Frame(const DrawList&) {}
    const std::uint32_t* Pixels() const { return pixels_.data(); }

   private:
    std::vector<std::uint32_t> pixels_;
};
#endif

// ---- The run ----------------------------------------------------------------

struct Bench {
    explicit Bench(const ImageRef& sheet) : scenes(sheet) {}
    Scenes scenes;
    SdlPeer sdl;
    PixmanPeer pixman;
    DrawList story_glyphs;  // the story frame with its texts as glyph draws, for the peers

    const DrawList& List(int scene, bool peer) const {
        return scene == 0   ? (peer ? story_glyphs : scenes.story)
               : scene == 1 ? scenes.blast
                            : scenes.stars;
    }
};

// Ours with `threads` drawing threads (1: the caller's alone; 0: one per core).
void TimeOurs(benchmark::State& state, const DrawList& list, int threads) {
    draw_list::SetOptions({true, true, threads});
    for (auto _ : state) {
        OursFrame(list);
        benchmark::DoNotOptimize(BackBuffer()[0]);
    }
    draw_list::SetOptions({});
}

void TimeSdl(benchmark::State& state, SdlPeer& sdl, const DrawList& list) {
    if (!sdl.ok()) {
        state.SkipWithError("no SDL software renderer");
        return;
    }
    for (auto _ : state) {
        sdl.Frame(list);
        benchmark::DoNotOptimize(sdl.Pixels()[0]);
    }
}

void TimePixman(benchmark::State& state, PixmanPeer& pixman, const DrawList& list) {
    for (auto _ : state) {
        pixman.Frame(list);
        benchmark::DoNotOptimize(pixman.Pixels()[0]);
    }
}

// How far a peer's frame is from ours: pixels whose channels differ by more
// than a few steps (nearest sampling and rounding differ slightly).
double DifferentShare(const std::uint32_t* a, const std::uint32_t* b) {
    int differ = 0;
    for (int i = 0; i < kWidth * kHeight; ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            if (std::abs(int(a[i] >> shift & 0xFF) - int(b[i] >> shift & 0xFF)) > 8) {
                ++differ;
                break;
            }
        }
    }
    return double(differ) / (kWidth * kHeight);
}

}  // namespace

int main(int argc, char** argv) {
    register_embedded_assets();
    std::string error;
    if (!OpenGraphics(kWidth, kHeight, 0, 60, 2, &error)) {
        std::fprintf(stderr, "cannot open the display: %s\n", error.c_str());
        return 1;
    }
    SetDefaultImageFlags(9);  // masked, as the game makes its images
    const ImageRef sheet = LoadImageFile("incbin::graphx\\bodger2010_sf1.png", -1);
    const FontRef font = TImageFont::Load("incbin::fonts\\babyu___.ttf", 22, 4);
    if (!sheet || !font) {
        std::fprintf(stderr, "the embedded sprite sheet or font did not load\n");
        return 1;
    }
    SetCurrentFont(font);
    auto bench = std::make_unique<Bench>(sheet);
    Bench& b = *bench;
    b.scenes.font = font;
    b.scenes.story = StoryFrame(b.scenes.sprites);
    b.scenes.blast = BlastFrame(b.scenes.sprites);
    b.scenes.stars = StarsFrame(b.scenes.sprites);
    b.story_glyphs = ExpandTexts(b.scenes.story, *font);

    // The peers must draw the same picture, or the comparison means nothing.
    const char* names[3] = {"story", "tnt_blast", "stars_torches"};
    for (int scene = 0; scene < 3; ++scene) {
        // The list, skipping and the bands draw what drawing each at once draws.
        draw_list::SetOptions({false, false, 1});
        OursFrame(b.List(scene, false));
        const std::vector<std::uint32_t> immediate(BackBuffer(), BackBuffer() + kWidth * kHeight);
        draw_list::SetOptions({});
        OursFrame(b.List(scene, false));
        const std::vector<std::uint32_t> ours(BackBuffer(), BackBuffer() + kWidth * kHeight);
        if (ours != immediate) {
            std::fprintf(stderr, "%s: the list drew other pixels than drawing at once\n",
                         names[scene]);
            return 1;
        }
        b.pixman.Frame(b.List(scene, true));
        double sdl_share = -1;
        if (b.sdl.ok()) {
            b.sdl.Frame(b.List(scene, true));
            sdl_share = DifferentShare(ours.data(), b.sdl.Pixels());
        }
        std::printf("%s: %zu draws; pixels differing from ours: pixman %.2f%%, sdl %.2f%%\n",
                    names[scene], b.List(scene, true).size(),
                    100 * DifferentShare(ours.data(), b.pixman.Pixels()), 100 * sdl_share);
    }

    for (int scene = 0; scene < 3; ++scene) {
        const std::string name = names[scene];
        benchmark::RegisterBenchmark((name + "/ours").c_str(), TimeOurs, b.List(scene, false), 1);
        benchmark::RegisterBenchmark((name + "/ours_bands").c_str(), TimeOurs, b.List(scene, false),
                                     0)
            ->UseRealTime();
        benchmark::RegisterBenchmark((name + "/sdl_software").c_str(), TimeSdl, std::ref(b.sdl),
                                     b.List(scene, true));
#ifdef BODGER_HAVE_PIXMAN
        benchmark::RegisterBenchmark((name + "/pixman").c_str(), TimePixman, std::ref(b.pixman),
                                     b.List(scene, true));
#endif
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
