// cell_update.cpp -- what each cell draws every frame and does to Bodger
// when he stands on it: pickups, pits, bricks, TNT, traps and the remote.
#include <string>

#include "draw/qwdraw.hpp"
#include "fx/brick.hpp"
#include "fx/dust.hpp"
#include "fx/explode.hpp"
#include "fx/flame.hpp"
#include "fx/points.hpp"
#include "game/deaths.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "game/state.hpp"
#include "resources/assets.hpp"
#include "resources/sprite_frames.hpp"
#include "services/graphics/draw.hpp"
#include "services/system/convert.hpp"
#include "services/system/random.hpp"

namespace {

constexpr int kAnimStepFrames = 8;  // frames per animation step of a cell

void draw_tile(float x, float y, int frame) {
    DrawImageFrame(tiles, x, y, frame);
}

bool is_piece(int code) {
    return code >= TILE_PIECE_1 && code <= TILE_PIECE_5;
}

// A torch goes out with its brick; the last one leaves the realm in the dark.
void put_out_torch(level_tag& c) {
    if (c.torch == 0) return;
    c.torch = 0;
    torches_left -= 1;
    if (torches_left <= 0) {
        level_r = 5;
        level_g = 5;
        level_b = 25;
    }
}

// A brick breaks into dust and pieces where it stood, half a cell up.
void break_brick(const level_tag& c) {
    dust_tag::set(float(c.x), float(c.y - 16));
    brick_tag::set(float(c.x), float(c.y - 16));
}

// Bodger dies on this cell: the dying phase starts with his death code.
void start_death(player_tag& p, int death) {
    p.state = death;
    play_phase = PHASE_DYING;
}

// --- Drawing, every frame, whoever stands where ---------------------------

void draw_ground(const level_tag& c) {
    SetColor(level_r, level_g, level_b);
    drawer->sip(BLEND_ALPHA, level_alpha, 0, 1, 1);
    draw_tile(c.x, c.y, c.tile1);
}

// Bricks are lit by 5 over the ground; a torch adds its glow and its flames.
void draw_brick(const level_tag& c) {
    SetColor(level_r + 5, level_g + 5, level_b + 5);
    if (c.tile2 != TILE_BRICK) return;
    draw_tile(c.x, c.y - 16, FRAME_BRICK);
    if (c.torch == 0) return;
    SetColor(50, 50, 50);
    drawer->sip(BLEND_LIGHT, 2.0f, 0, 1, 1);
    draw_tile(c.x - 1, c.y - 25, FRAME_GLOW);
    drawer->sip(BLEND_MASK, 1.0f, 0, 1, 1);
    draw_tile(c.x, c.y - 16, FRAME_TORCH);
    if (flame_tick == 1) flame_tag::create_it(c.x, c.y - 18);
}

// Every cell counts its animation, animated object or not.
void count_animation(level_tag& c) {
    c.a_tmr += 1;
    if (c.a_tmr >= kAnimStepFrames) {
        c.a_tmr = 0;
        c.a_ctr += 1;
        if (c.a_ctr > c.a_max) c.a_ctr = 0;
    }
}

// Traps in the level's tint, the pickups in their own colours, each raised to
// sit on the floor, then the plate over a bridged pit, then a remote piece.
void draw_object(const level_tag& c) {
    const int t = c.tile2;
    if (t == TILE_TRAP || t == TILE_TRAP_SPRUNG) draw_tile(c.x, c.y, t);

    SetColor(255, 255, 255);
    if (t == TILE_BEER) draw_tile(c.x, c.y - 14, FRAME_BEER + c.a_ctr);
    if (t == TILE_BONUS) draw_tile(c.x, c.y - 10, FRAME_COIN + c.a_ctr);
    if (t == TILE_GLASS) draw_tile(c.x, c.y, FRAME_GLASS_STACK);
    if (t == TILE_TNT || t == TILE_TNT_SPENT) draw_tile(c.x, c.y - 14, t);
    if (t == TILE_REMOTE) draw_tile(c.x, c.y - 12, FRAME_REMOTE_LYING + c.a_ctr);

    if (c.glass != 0) {
        drawer->sip(BLEND_ALPHA, 0.5f, 0, 1, 1);
        draw_tile(c.x, c.y, FRAME_GLASS_PLATE);
        drawer->sip(BLEND_MASK, 1.0f, 0, 1, 1);
    }

    if (is_piece(t)) draw_tile(c.x, c.y, t);
}

// Bodger over his cell, in whatever drawing state the cell left.
void draw_player_figure(const player_tag& p, int px, int py) {
    draw_tile(px, py - 16, p.state == PLAYER_STANDING ? p.frame : p.frame + p.a_ctr);
}

// --- The rules for the cell Bodger stands on, in the order they apply -----

// An open pit takes a glass plate, or Bodger.
void cross_pit(level_tag& c, player_tag& p) {
    if ((c.tile1 != TILE_PIT && c.tile1 != TILE_PIT_EDGE) || c.glass != 0) return;
    if (p.glass != 0) {
        c.glass = 1;
        c.tile2 = TILE_NONE;
        p.glass -= 1;
        p.score += 50;
        points_tag::set(c.x, c.y, "+50");
        play_sfx(snd_glassplate);
    } else {
        death_spin = 0;
        death_scale = 5.0f;
        start_death(p, DEATH_PIT);
        play_sfx(snd_ughhhhh);
    }
}

// Walking into a brick breaks it; without beer it breaks Bodger too.
void smash_brick(level_tag& c, player_tag& p) {
    if (c.tile2 != TILE_BRICK) return;
    put_out_torch(c);
    break_brick(c);
    play_sfx(snd_brick);
    if (p.beer != 0) {
        play_sfx(snd_da_oh);
        c.tile2 = TILE_NONE;
        p.beer -= 1;
    } else {
        phase_timer = 0;
        c.tile2 = TILE_NONE;
        c.anim = 0;
        start_death(p, DEATH_BRICK);
        play_sfx(snd_ughhhhh);
    }
}

void pick_up_beer(level_tag& c, player_tag& p) {
    if (c.tile2 != TILE_BEER) return;
    c.tile2 = TILE_NONE;
    p.beer += 3;
    points_tag::set(c.x, c.y, "Beer +3");
    play_sfx(snd_pickup);
}

void pick_up_glass(level_tag& c, player_tag& p) {
    if (c.tile2 != TILE_GLASS) return;
    c.tile2 = TILE_NONE;
    p.glass += 3;
    points_tag::set(c.x, c.y, "Glass +3");
    play_sfx(snd_pickup);
}

// A bonus is worth 0 to 400 points in hundreds, drawn when picked up.
void pick_up_bonus(level_tag& c, player_tag& p) {
    if (c.tile2 != TILE_BONUS) return;
    const int points = ToInt(100 * rnd(0, 5));
    c.tile2 = TILE_NONE;
    p.score += points;
    std::string text = "+";
    text += IntToText(points);
    points_tag::set(c.x, c.y, text);
    play_sfx(snd_pickup);
}

void pick_up_piece(level_tag& c, player_tag& p) {
    if (!is_piece(c.tile2)) return;
    const int piece = c.tile2 - TILE_PIECE_1;
    p.score += 100;
    points_tag::set(c.x, c.y, "Remote Piece!");
    p.remote[piece] = FRAME_PIECE_HELD + piece;
    if (p.rpieces == 1) {
        play_sfx(snd_complete);
        play_sfx(snd_yeah);
    }
    c.tile2 = TILE_NONE;
    p.rpieces -= 1;
    play_sfx(snd_remote);
}

// TNT blows up about a quarter of the realm's bricks, chosen at random.
void set_off_tnt(level_tag& c) {
    if (c.tile2 != TILE_TNT) return;
    // One draw for every index of the sweep, brick or not, so the stream
    // moves on by the same amount whatever the level holds.
    for (int i = 0; i <= 260; ++i) {
        const int r = ToInt(rnd(0, 4));
        level_tag& hit = *level_cells[i];
        if (r == 2 && hit.tile2 == TILE_BRICK) {
            hit.tile2 = TILE_NONE;
            put_out_torch(hit);
            break_brick(hit);
            explode_tag::set(float(hit.x), float(hit.y - 16));
        }
    }
    c.tile2 = TILE_TNT_SPENT;
    play_sfx(snd_tnt);
}

// An armed trap springs once; each kind starts its own death.
void spring_trap(level_tag& c, player_tag& p) {
    if (c.tile2 != TILE_TRAP) return;
    c.tile2 = TILE_TRAP_SPRUNG;
    trap_phase = 0;
    if (c.trap == TRAP_DOOR) {
        // The floor becomes a pit edge; the fall itself starts later.
        c.anim = 0;
        p.state = DEATH_TRAP_DOOR;
        c.tile2 = TILE_NONE;
        c.tile1 = TILE_PIT_EDGE;
        phase_timer = 0;
    } else if (c.trap == TRAP_FALLING) {
        start_death(p, DEATH_FALLING);
        trap_x = float(c.x);
        trap_y = 0.0f;
    } else if (c.trap == TRAP_SIDE_SHOT) {
        start_death(p, DEATH_SHOT);
        const int side = ToInt(rnd(0, 2));
        if (side == 0) {
            trap_x = 0.0f;
            trap_dx = 6.0f;
            trap_frame = FRAME_SHOT_FROM_LEFT;
        } else {
            trap_x = 640.0f;
            trap_dx = -6.0f;
            trap_frame = FRAME_SHOT_FROM_RIGHT;
        }
        trap_y = float(c.y - 16);
    }
    play_phase = PHASE_DYING;
    play_sfx(snd_hittrap);
    play_sfx(snd_uh_oh);
}

// A whole remote completes Bodger's at once; the pieces left lying vanish.
void pick_up_remote(level_tag& c, player_tag& p) {
    if (c.tile2 != TILE_REMOTE) return;
    p.remote.fill(FRAME_PIECE_LYING);  // every slot found (the HUD draws the glowing remote)
    p.rpieces = 0;
    c.tile2 = TILE_NONE;
    for (int i = 0; i < 260; ++i) {
        if (is_piece(level_cells[i]->tile2)) level_cells[i]->tile2 = TILE_NONE;
    }
    p.score += 500;
    points_tag::set(c.x, c.y, "+500");
    play_sfx(snd_complete);
    play_sfx(snd_yeah);
    play_sfx(snd_remote);
}

}  // namespace

int level_tag::update_all() {
    flame_tick += 1;
    if (!(level_alpha >= 1.0f)) level_alpha += 0.01f;
    if (!(level_alpha <= 1.0f)) level_alpha = 1.0f;
    // Row by row from the top, so a cell overlaps what the cell above drew.
    for (int i = 0; i < kLevelCells; ++i) level_cells[i]->update();
    if (flame_tick >= 2) flame_tick = 0;
    return 0;
}

int level_tag::update() {
    player_tag& p = *player;
    const int px = ToInt(p.x);
    const int py = ToInt(p.y);

    draw_ground(*this);
    draw_brick(*this);
    count_animation(*this);
    draw_object(*this);
    if (x != px || y != py || play_phase == PHASE_DYING) return 0;

    // Bodger stands here: each rule sees the cell as the rules before it left it.
    draw_player_figure(p, px, py);
    cross_pit(*this, p);
    smash_brick(*this, p);
    pick_up_beer(*this, p);
    pick_up_glass(*this, p);
    pick_up_bonus(*this, p);
    pick_up_piece(*this, p);
    set_off_tnt(*this);
    spring_trap(*this, p);
    pick_up_remote(*this, p);
    return 0;
}
