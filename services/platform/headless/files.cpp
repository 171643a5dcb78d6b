// files.cpp -- scripted runs write straight to the disk: nothing to do.
#include "services/platform/platform.hpp"

namespace platform {

void FilesChanged() {}

}  // namespace platform
