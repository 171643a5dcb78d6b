// globals.hpp -- every part's globals in one include, for whoever looks at the
// whole game at once (the runner's dump, the bot, the tests), and the reset
// that puts them all back.  Each global is defined and reset by its owner;
// the game's own files include the owner's header instead.  start_seed, the
// program entry's, is in app/main_loop.hpp.
#pragma once

#include "app/global_keys.hpp"
#include "draw/qwdraw.hpp"
#include "fx/brick.hpp"
#include "fx/dust.hpp"
#include "fx/explode.hpp"
#include "fx/flame.hpp"
#include "fx/points.hpp"
#include "fx/stars.hpp"
#include "game/deaths.hpp"
#include "game/flow.hpp"
#include "game/level.hpp"
#include "game/player.hpp"
#include "game/state.hpp"
#include "resources/assets.hpp"
#include "resources/options.hpp"
#include "resources/sprite_frames.hpp"
#include "screens/menu.hpp"
#include "screens/pointer.hpp"

// Puts every global of the game back to its value at program load, so that
// repeated runs in one process (the runner, the tests) each start clean.
void reset_globals();
