// files.cpp -- saved files are on the disk already: nothing to do.
#include "services/platform/platform.hpp"

namespace platform {

void FilesChanged() {}

}  // namespace platform
