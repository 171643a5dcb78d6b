// channel.hpp -- the game's handle on one mixer slot.  Dropping the last
// reference gives the handle back without stopping the sound.
#pragma once

#include <cstdint>

#include "services/audio/sound.hpp"

struct TChannel {
    explicit TChannel(std::uint32_t handle) : handle(handle) {}
    ~TChannel();  // gives the handle back; the sound plays on to its end
    TChannel(const TChannel&) = delete;
    TChannel& operator=(const TChannel&) = delete;

    const std::uint32_t handle;  // slot in the low 12 bits, its generation above
};
