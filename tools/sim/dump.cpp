// dump.cpp -- writing the game's state as JSON: one group of fields a line,
// one level cell a line, so that two dumps diff readably.
#include "tools/sim/dump.hpp"

#include <cmath>
#include <cstdio>

#include "app/globals.hpp"
#include "app/main_loop.hpp"
#include "fx/stars.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "screens/play.hpp"
#include "services/audio/sound.hpp"
#include "services/input/input.hpp"
#include "services/platform/headless/headless.hpp"

namespace sim {

namespace {

class Json {
   public:
    // Starts a field: the separating comma when needed, then "name": .
    Json& key(const char* name) {
        sep();
        out_ += '"';
        out_ += name;
        out_ += "\": ";
        first_ = true;
        return *this;
    }
    Json& num(long long v) { return raw(std::to_string(v)); }
    Json& flt(float v) { return raw(json_float(v)); }
    Json& boolean(bool v) { return raw(v ? "true" : "false"); }
    Json& open(char c) {
        sep();
        out_ += c;
        first_ = true;
        return *this;
    }
    Json& close(char c) {
        out_ += c;
        first_ = false;
        return *this;
    }
    Json& newline() {
        pending_newline_ = true;
        return *this;
    }
    std::string take() { return std::move(out_); }

   private:
    Json& raw(const std::string& s) {
        sep();
        out_ += s;
        first_ = false;
        return *this;
    }
    void sep() {
        if (!first_) out_ += pending_newline_ ? ",\n  " : ", ";
        pending_newline_ = false;
        first_ = true;
    }
    std::string out_;
    bool first_ = true;
    bool pending_newline_ = false;
};

void write_player(Json& j) {
    static const player_tag none{};
    const player_tag& p = player ? *player : none;
    j.key("player").open('{');
    j.key("score").num(p.score).key("best_sc").num(p.best_sc).key("new_bs").num(p.new_bs);
    j.key("lives").num(p.lives).key("level").num(p.level).key("state").num(p.state);
    j.key("x").flt(p.x).key("y").flt(p.y).key("frame").num(p.frame);
    j.key("a_tmr").num(p.a_tmr).key("a_ctr").num(p.a_ctr);
    j.key("beer").num(p.beer).key("glass").num(p.glass);
    j.key("remote").open('[');
    for (int slot : p.remote) j.num(slot);
    j.close(']');
    j.key("rpieces").num(p.rpieces);
    j.close('}');
}

void write_level(Json& j) {
    j.key("level").open('{');
    j.key("pit_count").num(pit_count).key("brick_count").num(brick_count);
    j.key("level_r").num(level_r).key("level_g").num(level_g).key("level_b").num(level_b);
    j.key("torches_left").num(torches_left).key("level_alpha").flt(level_alpha);
    j.key("flame_tick").num(flame_tick);
    j.key("cells").open('[');
    static const level_tag empty{};
    for (const auto& ref : level_cells) {
        const level_tag& c = ref ? *ref : empty;
        j.newline().open('[');
        for (int v :
             {c.tile1, c.tile2, c.torch, c.glass, c.a_ctr, c.a_tmr, c.a_max, c.anim, c.trap})
            j.num(v);
        j.close(']');
    }
    j.close(']').close('}');
}

void write_death(Json& j) {
    j.key("death").open('{');
    j.key("death_spin").num(death_spin).key("death_scale").flt(death_scale);
    j.key("trap_phase").num(trap_phase).key("trap_x").flt(trap_x).key("trap_y").flt(trap_y);
    j.key("trap_x2").flt(trap_x2).key("trap_dx").flt(trap_dx).key("trap_frame").num(trap_frame);
    j.close('}');
}

}  // namespace

std::string json_float(float value) {
    if (!std::isfinite(value)) return "null";  // JSON has no infinities
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", double(value));
    std::string s = buf;
    if (s.find_first_of(".e") == std::string::npos) s += ".0";
    return s;
}

std::string dump_state(int frame) {
    Json j;
    j.open('{');
    j.key("frame").num(frame).key("clock").num(headless::Clock()).key("seed").num(start_seed);
    j.newline().key("game_state").num(game_state).key("play_phase").num(play_phase);
    j.key("phase_timer").num(phase_timer).key("quit_game").num(quit_game);
    j.newline();
    write_player(j);
    j.newline();
    write_level(j);
    j.newline();
    write_death(j);
    j.newline().key("remote_msg_alpha").flt(remote_msg_alpha);
    j.newline().key("effects").open('{');
    j.key("flame").num(flame_list.Count()).key("points").num(points_list.Count());
    j.key("brick").num(brick_list.Count()).key("dust").num(dust_list.Count());
    j.key("explode").num(explode_list.Count()).close('}');
    j.newline().key("stars").open('[');
    for (const auto& star : stars) {
        j.open('[').num(star ? star->x : 0).num(star ? star->y : 0).close(']');
    }
    j.close(']');
    j.newline().key("options").open('{');
    j.key("retro_fx").num(retro_fx).key("sound_level").num(sound_level);
    j.key("sound_volume").flt(sound_volume).key("music_level").num(music_level);
    j.key("music_volume").flt(music_volume).close('}');
    j.newline().key("music_playing").boolean(Playing(music_channel));
    // Reading the position handles pending window events exactly as the
    // game's next query would; no hit count is read or cleared.
    j.newline().key("mouse").open('[').num(MousePosX()).num(MousePosY()).close(']');
    j.close('}');
    return j.take() + "\n";
}

}  // namespace sim
