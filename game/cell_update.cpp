// cell_update.cpp -- what each cell draws every frame and does to Bodger
// when he stands on it: pickups, pits, bricks, TNT, traps and the remote.
#include <string>

#include "app/assets.hpp"
#include "app/globals.hpp"
#include "draw/qwdraw.hpp"
#include "fx/brick.hpp"
#include "fx/dust.hpp"
#include "fx/explode.hpp"
#include "fx/flame.hpp"
#include "fx/points.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "screens/play.hpp"
#include "services/graphics/draw.hpp"
#include "services/system/convert.hpp"
#include "services/system/random.hpp"

namespace {

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

}  // namespace

int level_tag::update_all() {
    flame_tick += 1;
    if (!(level_alpha >= 1.0f)) level_alpha += 0.01f;
    if (!(level_alpha <= 1.0f)) level_alpha = 1.0f;
    // Row by row from the top, so a cell overlaps what the cell above drew.
    for (int i = 0; i < 270; ++i) level_cells[i]->update();
    if (flame_tick >= 2) flame_tick = 0;
    return 0;
}

int level_tag::update() {
    player_tag& p = *player;
    const int px = ToInt(p.x);
    const int py = ToInt(p.y);

    SetColor(level_r, level_g, level_b);
    drawer->sip(BLEND_ALPHA, level_alpha, 0, 1, 1);
    draw_tile(x, y, tile1);

    SetColor(level_r + 5, level_g + 5, level_b + 5);
    if (tile2 == TILE_BRICK) {
        draw_tile(x, y - 16, TILE_BRICK);
        if (torch != 0) {
            SetColor(50, 50, 50);
            drawer->sip(BLEND_LIGHT, 2.0f, 0, 1, 1);
            draw_tile(x - 1, y - 25, 9);
            drawer->sip(BLEND_MASK, 1.0f, 0, 1, 1);
            draw_tile(x, y - 16, 6);
            if (flame_tick == 1) flame_tag::create_it(x, y - 18);
        }
    }

    // Every cell counts its animation, animated object or not: 8 frames a step.
    a_tmr += 1;
    if (a_tmr >= 8) {
        a_tmr = 0;
        a_ctr += 1;
        if (a_ctr > a_max) a_ctr = 0;
    }

    if (tile2 == TILE_TRAP || tile2 == TILE_TRAP_SPRUNG) draw_tile(x, y, tile2);

    SetColor(255, 255, 255);
    if (tile2 == TILE_BEER) draw_tile(x, y - 14, TILE_BEER + a_ctr);
    if (tile2 == TILE_BONUS) draw_tile(x, y - 10, TILE_BONUS + a_ctr);
    if (tile2 == TILE_GLASS) draw_tile(x, y, TILE_GLASS);
    if (tile2 == TILE_TNT || tile2 == TILE_TNT_SPENT) draw_tile(x, y - 14, tile2);
    if (tile2 == TILE_REMOTE) draw_tile(x, y - 12, TILE_REMOTE + a_ctr);

    if (glass != 0) {
        drawer->sip(BLEND_ALPHA, 0.5f, 0, 1, 1);
        draw_tile(x, y, 20);
        drawer->sip(BLEND_MASK, 1.0f, 0, 1, 1);
    }

    if (is_piece(tile2)) draw_tile(x, y, tile2);

    if (x != px || y != py || play_phase == PHASE_DYING) return 0;

    // Bodger stands here: his figure, then each rule on the cell as the rules
    // before it left the cell.  The drawing state is whatever the cell left.
    draw_tile(px, py - 16, p.state == PLAYER_STANDING ? p.frame : p.frame + p.a_ctr);

    if ((tile1 == TILE_PIT || tile1 == TILE_PIT_EDGE) && glass == 0) {
        if (p.glass != 0) {
            glass = 1;
            tile2 = 0;
            p.glass -= 1;
            p.score += 50;
            points_tag::set(x, y, "+50");
            play_sfx(snd_glassplate);
        } else {
            death_spin = 0;
            death_scale = 5.0f;
            p.state = DEATH_PIT;
            play_phase = PHASE_DYING;
            play_sfx(snd_ughhhhh);
        }
    }

    if (tile2 == TILE_BRICK) {
        put_out_torch(*this);
        dust_tag::set(float(x), float(y - 16));
        brick_tag::set(float(x), float(y - 16));
        play_sfx(snd_brick);
        if (p.beer != 0) {
            play_sfx(snd_da_oh);
            tile2 = 0;
            p.beer -= 1;
        } else {
            phase_timer = 0;
            tile2 = 0;
            anim = 0;
            play_phase = PHASE_DYING;
            p.state = DEATH_BRICK;
            play_sfx(snd_ughhhhh);
        }
    }

    if (tile2 == TILE_BEER) {
        tile2 = 0;
        p.beer += 3;
        points_tag::set(x, y, "Beer +3");
        play_sfx(snd_pickup);
    }

    if (tile2 == TILE_GLASS) {
        tile2 = 0;
        p.glass += 3;
        points_tag::set(x, y, "Glass +3");
        play_sfx(snd_pickup);
    }

    if (tile2 == TILE_BONUS) {
        const int points = ToInt(100 * rnd(0, 5));
        tile2 = 0;
        p.score += points;
        std::string text = "+";
        text += IntToText(points);
        points_tag::set(x, y, text);
        play_sfx(snd_pickup);
    }

    if (is_piece(tile2)) {
        p.score += 100;
        points_tag::set(x, y, "Remote Piece!");
        p.remote[tile2 - TILE_PIECE_1] = tile2 - 5;  // HUD frames 46..50
        if (p.rpieces == 1) {
            play_sfx(snd_complete);
            play_sfx(snd_yeah);
        }
        tile2 = 0;
        p.rpieces -= 1;
        play_sfx(snd_remote);
    }

    if (tile2 == TILE_TNT) {
        // One draw for every index of the sweep, brick or not, so the stream
        // moves on by the same amount whatever the level holds.
        for (int i = 0; i <= 260; ++i) {
            const int r = ToInt(rnd(0, 4));
            level_tag& c = *level_cells[i];
            if (r == 2 && c.tile2 == TILE_BRICK) {
                c.tile2 = 0;
                put_out_torch(c);
                dust_tag::set(float(c.x), float(c.y - 16));
                brick_tag::set(float(c.x), float(c.y - 16));
                explode_tag::set(float(c.x), float(c.y - 16));
            }
        }
        tile2 = TILE_TNT_SPENT;
        play_sfx(snd_tnt);
    }

    if (tile2 == TILE_TRAP) {
        tile2 = TILE_TRAP_SPRUNG;
        trap_phase = 0;
        if (trap == 1) {
            anim = 0;
            p.state = DEATH_TRAP_DOOR;
            tile2 = 0;
            tile1 = TILE_PIT_EDGE;
            phase_timer = 0;
        } else if (trap == 3) {
            p.state = DEATH_FALLING;
            play_phase = PHASE_DYING;
            trap_x = float(x);
            trap_y = 0.0f;
        } else if (trap == 2) {
            p.state = DEATH_SHOT;
            play_phase = PHASE_DYING;
            const int s = ToInt(rnd(0, 2));
            if (s == 0) {
                trap_x = 0.0f;
                trap_dx = 6.0f;
                trap_frame = 38;
            } else {
                trap_x = 640.0f;
                trap_dx = -6.0f;
                trap_frame = 37;
            }
            trap_y = float(y - 16);
        }
        play_phase = PHASE_DYING;
        play_sfx(snd_hittrap);
        play_sfx(snd_uh_oh);
    }

    if (tile2 == TILE_REMOTE) {
        p.remote.fill(51);  // the HUD shows the remote whole in every slot
        p.rpieces = 0;
        tile2 = 0;
        for (int i = 0; i < 260; ++i) {
            if (is_piece(level_cells[i]->tile2)) level_cells[i]->tile2 = 0;
        }
        p.score += 500;
        points_tag::set(x, y, "+500");
        play_sfx(snd_complete);
        play_sfx(snd_yeah);
        play_sfx(snd_remote);
    }
    return 0;
}
