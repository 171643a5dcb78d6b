// sprite_frames.hpp -- the frames of the sprite sheet (`tiles`), named for
// what each shows.  A frame that has neighbours in a run (an animation, the
// five remote pieces) is named by the first of the run.
#pragma once

enum : int {
    // Ground and light.
    FRAME_PIT = 0,
    FRAME_STAR = 1,
    FRAME_FLOOR = 2,
    FRAME_BRICK = 4,
    FRAME_PIT_EDGE = 5,
    FRAME_TORCH = 6,
    FRAME_FLAME = 7,  // also the glowing particles of a TNT blast
    FRAME_SMOKE = 8,  // also the puffs of brick dust
    FRAME_GLOW = 9,   // the torch's light and a star's halo
    FRAME_TRAP = 18,
    FRAME_TRAP_SPRUNG = 19,
    FRAME_GLASS_PLATE = 20,  // laid over a bridged pit

    // Things lying in a realm.
    FRAME_TNT = 21,
    FRAME_TNT_SPENT = 22,
    FRAME_COIN = 27,         // 27..30: the bonus turning
    FRAME_BEER = 31,         // 31..34: the beer foaming
    FRAME_GLASS_STACK = 35,  // three plates to pick up
    FRAME_POT = 36,          // the falling object, whole
    FRAME_SHOT_FROM_RIGHT = 37,
    FRAME_SHOT_FROM_LEFT = 38,

    // The HUD and the remote.
    FRAME_BEER_ICON = 39,
    FRAME_GLASS_ICON = 40,
    FRAME_REMOTE_OUTLINE = 41,  // the empty slot, and five times over the remote's glow
    FRAME_REMOTE_LIGHTS = 42,   // 42..45: the whole remote, its lights in four states
    FRAME_PIECE_HELD = 46,      // 46..50: pieces 1 to 5 where they sit in the HUD's remote
    FRAME_PIECE_LYING = 51,     // 51..55: pieces 1 to 5 as found in a realm
    FRAME_REMOTE_LYING = 56,    // 56..59: the whole remote in a realm, bobbing

    // Bodger.
    FRAME_STANDING_FRONT = 62,
    FRAME_STANDING_BREATH = 63,  // the idle breath, front view
    FRAME_STANDING_LEFT = 64,
    FRAME_STANDING_RIGHT = 65,
    FRAME_WALKING_DOWN = 66,  // each walk is two frames, this one and the next
    FRAME_WALKING_UP = 68,
    FRAME_WALKING_LEFT = 70,
    FRAME_WALKING_RIGHT = 72,
    FRAME_SQUASHED = 77,
    FRAME_POT_LEFT_HALF = 78,
    FRAME_POT_RIGHT_HALF = 79,
    FRAME_SHOES_LEFT_BEHIND = 84,
    FRAME_KNOCKED_AWAY = 85,
    FRAME_FALLING = 90,

    FRAME_COUNT = 91,
};

inline constexpr int kRemoteLightStates = 4;  // frames in the FRAME_REMOTE_LIGHTS run
