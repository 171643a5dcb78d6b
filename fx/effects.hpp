// effects.hpp -- the five effect families at once.
#pragma once

void clear_effects();  // empties all five families (a new game starts with none)
