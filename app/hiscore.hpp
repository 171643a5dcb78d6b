// hiscore.hpp -- the best score in data\hiscore.dat (4 bytes, little-endian).
#pragma once

void hiscore_io(int save);  // 0 loads into player, otherwise saves
