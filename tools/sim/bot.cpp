// bot.cpp -- the player bot: it gets through the splash, the title menu, the story
// introduction and the game-over screen, and in play walks Bodger from cell
// to cell towards the remote pieces, pressing the remote button when done.
// It only reads the game's globals; all it does is answer with input events.
#include "tools/sim/bot.hpp"

#include <algorithm>

#include "app/globals.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "screens/game_over.hpp"
#include "screens/menu.hpp"
#include "screens/play.hpp"
#include "services/input/input.hpp"
#include "tools/sim/bot_route.hpp"

namespace sim {

namespace {

// What the bot remembers between frames; all of it is forgotten by bot_start.
struct Memory {
    int cell = -1;   // the cell Bodger stood on when last seen
    int realm = -1;  // his realm then
    bool planned = false;
    bool planned_standing = false;
    int want = DIR_NONE;   // the direction he should be walking in
    int target = -1;       // the goal cell of the current route
    bool give_up = false;  // `bot restart`: end a hopeless realm with a death
    int realm_start = 0;   // frame the current realm was first seen in play
};

// A realm still not done after this many frames (about 14 minutes of play)
// counts as hopeless too: the bot is going round in circles.
constexpr int kHopelessFrames = 50000;

Memory memory;

TimedEvent input_event(Action action, int a, int b = 0) {
    TimedEvent ev;
    ev.action = action;
    ev.a = a;
    ev.b = b;
    return ev;
}

int arrow_key(int dir) {
    switch (dir) {
        case DIR_LEFT:
            return KEY_LEFT;
        case DIR_RIGHT:
            return KEY_RIGHT;
        case DIR_UP:
            return KEY_UP;
        default:
            return KEY_DOWN;
    }
}

GridView read_grid() {
    GridView grid;
    for (int i = 0; i < kGridCells; i++) {
        const level_tag& cell = *level_cells[i];
        grid[i] = CellView{cell.tile1, cell.tile2, cell.glass};
    }
    return grid;
}

// The grid cell under Bodger's centre.
int player_cell(const player_tag& p) {
    const int col = (int(p.x) - kFirstCellX) / kCellSize;
    const int row = (int(p.y) - kFirstCellY) / kCellSize;
    return std::clamp(row, 0, kGridRows - 1) * kGridColumns + std::clamp(col, 0, kGridColumns - 1);
}

// Chooses the direction for the next step; called on every new cell (and
// when a realm or game starts), well before the step at a_tmr 20.
void plan(const player_tag& p, int cell, bool hopeless) {
    const GridView grid = read_grid();
    const Walker walker{cell, p.beer, p.glass, p.rpieces};
    const Route route = hopeless ? Route{} : find_route(grid, walker, memory.target);
    memory.target = route.target;
    if (route.dir != DIR_NONE) {
        memory.want = route.dir;
        return;
    }
    if (memory.give_up) {
        const Route end = route_to_death(grid, walker);
        if (end.dir != DIR_NONE) {
            memory.want = end.dir;
            return;
        }
    }
    // Nothing worth fetching can be reached: stay where he is.  Standing
    // costs nothing; a walk cannot be stopped, so he paces between this cell
    // and the one he came from, which is always safe by now (its brick
    // smashed, its pit plated).
    memory.want = p.state == PLAYER_STANDING ? DIR_NONE : reverse_dir(p.state);
}

void playing(std::vector<TimedEvent>& out, int frame) {
    const player_tag& p = *player;
    if (p.rpieces == 0) {
        // The remote is complete: its button takes him to the next realm.
        out.push_back(input_event(Action::KeyPress, KEY_LCONTROL));
        return;
    }
    if (p.state < PLAYER_STANDING || p.state > PLAYER_DOWN) return;
    const int cell = player_cell(p);
    const bool standing = p.state == PLAYER_STANDING;
    if (p.level != memory.realm) memory.realm_start = frame;
    if (!memory.planned || cell != memory.cell || p.level != memory.realm ||
        standing != memory.planned_standing) {
        if (p.level != memory.realm || standing) memory.target = -1;
        memory.cell = cell;
        memory.realm = p.level;
        memory.planned = true;
        memory.planned_standing = standing;
        plan(p, cell, memory.give_up && frame - memory.realm_start > kHopelessFrames);
    }
    if (memory.want != DIR_NONE && memory.want != p.state) {
        out.push_back(input_event(Action::KeyPress, arrow_key(memory.want)));
    }
}

}  // namespace

void bot_start(bool give_up) {
    memory = Memory{};
    memory.give_up = give_up;
}

std::vector<TimedEvent> bot_frame(int frame) {
    std::vector<TimedEvent> out;
    switch (game_state) {
        case STATE_STARTUP:  // the splash: a click cuts it short
            out.push_back(input_event(Action::MouseClick, 1));
            break;
        case STATE_TITLE:  // point at "Start Game" and click it
            out.push_back(input_event(Action::MouseMove, kMenuX, kFirstItemY));
            out.push_back(input_event(Action::MouseClick, 1));
            break;
        case STATE_GAME_OVER:
            // One press cuts the screen short; pressing again would keep it up.
            if (phase_timer < kGameOverSkipTo)
                out.push_back(input_event(Action::KeyPress, KEY_LCONTROL));
            break;
        case STATE_PLAY:
            if (play_phase == PHASE_INTRO) {
                memory.planned = false;  // a new game plans afresh
                memory.realm = -1;
                if (phase_timer < kIntroEnd)
                    out.push_back(input_event(Action::KeyPress, KEY_LCONTROL));
            } else if (play_phase == PHASE_PLAYING) {
                playing(out, frame);
            }
            break;
        default:
            break;  // a pause is the script's business
    }
    return out;
}

}  // namespace sim
