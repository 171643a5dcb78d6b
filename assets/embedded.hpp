// The four files compiled into the program.
#pragma once

// Registers the splash logo, the font, the pointer and the sprite sheet under
// their game names ("graphx\qwlogo.png", ...).  Called first thing at start-up;
// nothing registers itself from a static initialiser.
void register_embedded_assets();
