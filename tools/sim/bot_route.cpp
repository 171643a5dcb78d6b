// bot_route.cpp -- cheapest routes over (cell, beers used, plates used), so
// that a route never needs more than Bodger carries, and the choice of what
// to walk to next.
#include "tools/sim/bot_route.hpp"

#include <algorithm>
#include <climits>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

namespace sim {

namespace {

constexpr int kStep = 10;  // cost of one cell walked; every other cost is in these units
constexpr int kCap = 8;    // at most this many beers or plates planned into one route
constexpr int kNoTarget = INT_MIN;

// Using one of `carried` beers or plates: dearer the fewer are left.
int use_penalty(int carried) {
    return kStep * (2 + 24 / (carried + 1));
}

// Beer or plates to pick up: worth a detour the fewer he carries.
int stock_malus(int carried) {
    return carried < 3 ? kStep * (2 * carried - 6) : 3 * kStep;
}

// How much worse than a remote piece a cell's object is as a goal, in cost
// units (negative: better); kNoTarget when it is not worth walking to.
// `free_only`: only worth it by a route that uses up nothing.
int goal_malus(int tile2, const Walker& walker, bool& free_only) {
    free_only = false;
    if (tile2 >= TILE_PIECE_1 && tile2 <= TILE_PIECE_5) return 0;
    switch (tile2) {
        case TILE_REMOTE:  // the whole remote stands for every missing piece
            return -2 * kStep * (walker.rpieces - 1);
        case TILE_BEER:
            return stock_malus(walker.beer);
        case TILE_GLASS:
            return stock_malus(walker.glass);
        case TILE_BONUS:
            free_only = true;
            return 5 * kStep;
        case TILE_TNT:  // TNT clears about a quarter of the bricks
            return 15 * kStep;
        default:
            return kNoTarget;
    }
}

}  // namespace

int step_cell(int cell, int dir) {
    int col = cell % kGridColumns, row = cell / kGridColumns;
    switch (dir) {
        case DIR_LEFT:
            col = (col + kGridColumns - 1) % kGridColumns;
            break;
        case DIR_RIGHT:
            col = (col + 1) % kGridColumns;
            break;
        case DIR_UP:
            row = (row + kGridRows - 1) % kGridRows;
            break;
        case DIR_DOWN:
            row = (row + 1) % kGridRows;
            break;
        default:
            break;
    }
    return row * kGridColumns + col;
}

int reverse_dir(int dir) {
    switch (dir) {
        case DIR_LEFT:
            return DIR_RIGHT;
        case DIR_RIGHT:
            return DIR_LEFT;
        case DIR_UP:
            return DIR_DOWN;
        case DIR_DOWN:
            return DIR_UP;
        default:
            return DIR_NONE;
    }
}

EntryCost entry_cost(const CellView& cell) {
    EntryCost cost;
    if (cell.tile2 == TILE_TRAP) cost.deadly = true;  // an armed trap kills, whatever he carries
    if ((cell.tile1 == TILE_PIT || cell.tile1 == TILE_PIT_EDGE) && cell.glass == 0) cost.glass = 1;
    if (cell.tile2 == TILE_BRICK) cost.beer = 1;
    return cost;
}

Route find_route(const GridView& grid, const Walker& walker, int keep) {
    const int beers = std::clamp(walker.beer, 0, kCap);
    const int plates = std::clamp(walker.glass, 0, kCap);
    const int beer_pen = use_penalty(walker.beer);
    const int glass_pen = use_penalty(walker.glass);
    auto state_of = [&](int cell, int bu, int gu) {
        return (cell * (beers + 1) + bu) * (plates + 1) + gu;
    };

    const int count = kGridCells * (beers + 1) * (plates + 1);
    std::vector<int> dist(count, INT_MAX);
    std::vector<signed char> first(count, DIR_NONE);
    std::vector<char> settled(count, 0);
    auto dominated = [&](int cell, int bu, int gu) {
        for (int b = 0; b <= bu; b++) {
            for (int g = 0; g <= gu; g++) {
                if (settled[state_of(cell, b, g)]) return true;
            }
        }
        return false;
    };
    using Entry = std::pair<int, int>;  // cost, state
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;

    const int start = state_of(walker.cell, 0, 0);
    dist[start] = 0;
    open.push({0, start});
    while (!open.empty()) {
        const auto [d, s] = open.top();
        open.pop();
        if (d > dist[s]) continue;
        const int gu = s % (plates + 1);
        const int bu = (s / (plates + 1)) % (beers + 1);
        const int cell = s / ((plates + 1) * (beers + 1));
        // Reached earlier, no dearer and using no more of either: nothing new from here.
        if (dominated(cell, bu, gu)) continue;
        settled[s] = 1;
        for (int dir = DIR_LEFT; dir <= DIR_DOWN; dir++) {
            const int next = step_cell(cell, dir);
            const EntryCost cost = entry_cost(grid[next]);
            if (cost.deadly) continue;
            const int nb = bu + cost.beer, ng = gu + cost.glass;
            if (nb > beers || ng > plates) continue;
            const int nd = d + kStep + cost.beer * beer_pen + cost.glass * glass_pen;
            const int ns = state_of(next, nb, ng);
            if (nd >= dist[ns]) continue;
            dist[ns] = nd;
            first[ns] = first[s] == DIR_NONE ? dir : first[s];
            open.push({nd, ns});
        }
    }

    // The best state of every goal cell, then the best goal.
    Route route;
    long best = LONG_MAX, kept = LONG_MAX;
    int best_state = -1, kept_state = -1;
    for (int cell = 0; cell < kGridCells; cell++) {
        if (cell == walker.cell) continue;
        bool free_only = false;
        const int malus = goal_malus(grid[cell].tile2, walker, free_only);
        if (malus == kNoTarget) continue;
        int cell_best = -1;
        for (int bu = 0; bu <= (free_only ? 0 : beers); bu++) {
            for (int gu = 0; gu <= (free_only ? 0 : plates); gu++) {
                const int s = state_of(cell, bu, gu);
                if (dist[s] != INT_MAX && (cell_best < 0 || dist[s] < dist[cell_best]))
                    cell_best = s;
            }
        }
        if (cell_best < 0) continue;
        const long value = long(dist[cell_best]) + malus;
        if (value < best) best = value, best_state = cell_best;
        if (cell == keep) kept = value, kept_state = cell_best;
    }
    if (kept_state >= 0 && kept <= best + kStep) best_state = kept_state;
    if (best_state < 0) return route;

    const int gu = best_state % (plates + 1);
    const int bu = (best_state / (plates + 1)) % (beers + 1);
    route.dir = first[best_state];
    route.target = best_state / ((plates + 1) * (beers + 1));
    route.beer = bu;
    route.glass = gu;
    route.steps = (dist[best_state] - bu * beer_pen - gu * glass_pen) / kStep;
    return route;
}

int free_step(const GridView& grid, int cell, int ahead) {
    auto is_free = [&](int dir) {
        const EntryCost cost = entry_cost(grid[step_cell(cell, dir)]);
        return !cost.deadly && cost.beer == 0 && cost.glass == 0;
    };
    if (ahead != DIR_NONE && is_free(ahead)) return ahead;
    for (int dir = DIR_LEFT; dir <= DIR_DOWN; dir++) {
        if (is_free(dir)) return dir;
    }
    return DIR_NONE;
}

Route route_to_death(const GridView& grid, const Walker& walker) {
    auto kills = [&](const EntryCost& cost) {
        return cost.deadly || (cost.beer > 0 && walker.beer <= 0) ||
               (cost.glass > 0 && walker.glass <= 0);
    };
    // Breadth first: the nearest cell of each kind, and the first step there.
    std::array<signed char, kGridCells> first{};
    std::array<int, kGridCells> steps{};
    std::array<bool, kGridCells> seen{};
    std::queue<int> open;
    seen[walker.cell] = true;
    open.push(walker.cell);
    Route costly;
    while (!open.empty()) {
        const int cell = open.front();
        open.pop();
        for (int dir = DIR_LEFT; dir <= DIR_DOWN; dir++) {
            const int next = step_cell(cell, dir);
            if (seen[next]) continue;
            seen[next] = true;
            first[next] = cell == walker.cell ? dir : first[cell];
            steps[next] = steps[cell] + 1;
            const EntryCost cost = entry_cost(grid[next]);
            const Route here{first[next], next, steps[next], cost.beer, cost.glass};
            if (kills(cost)) return here;
            if ((cost.beer > 0 || cost.glass > 0) && costly.target < 0) costly = here;
            open.push(next);
        }
    }
    return costly;
}

}  // namespace sim
