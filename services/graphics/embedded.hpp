// embedded.hpp -- files built into the program, found by "incbin::NAME".
#pragma once

#include <cstddef>
#include <string>

// Adds (name, bytes); a name already registered is left as it was.  The bytes
// are not copied: they must live as long as the program.
void RegisterEmbedded(const std::string& name, const unsigned char* bytes, std::size_t size);
// Resolves "incbin::NAME" (scheme compared without case, the name exactly).
// False when the path has no "::" scheme or the name is not registered.
bool FindEmbedded(const std::string& path, const unsigned char** bytes, std::size_t* size);
// Reads a resource: an "incbin::" name, or else a file (backslashes mapped).
bool ReadResource(const std::string& path, std::string& out);
void ClearEmbedded();  // tests only
