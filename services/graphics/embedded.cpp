// embedded.cpp -- the registry of files built into the program, and reading a
// resource from it or from the working directory.
#include "services/graphics/embedded.hpp"

#include <cctype>
#include <map>

#include "services/system/files.hpp"

namespace {

struct Entry {
    const unsigned char* bytes;
    std::size_t size;
};

// Built on first use, so nothing runs before main.
std::map<std::string, Entry>& Registry() {
    static std::map<std::string, Entry> registry;
    return registry;
}

bool SchemeIsIncbin(const std::string& scheme) {
    static const char kIncbin[] = "incbin";
    if (scheme.size() != sizeof(kIncbin) - 1) return false;
    for (std::size_t i = 0; i < scheme.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(scheme[i])) != kIncbin[i]) return false;
    }
    return true;
}

}  // namespace

void RegisterEmbedded(const std::string& name, const unsigned char* bytes, std::size_t size) {
    Registry().emplace(name, Entry{bytes, size});  // keeps the first registration
}

bool FindEmbedded(const std::string& path, const unsigned char** bytes, std::size_t* size) {
    const std::size_t sep = path.find("::");
    if (sep == std::string::npos || !SchemeIsIncbin(path.substr(0, sep))) return false;
    const auto& registry = Registry();
    const auto it = registry.find(path.substr(sep + 2));
    if (it == registry.end()) return false;
    if (bytes) *bytes = it->second.bytes;
    if (size) *size = it->second.size;
    return true;
}

bool ReadResource(const std::string& path, std::string& out) {
    const unsigned char* bytes = nullptr;
    std::size_t size = 0;
    if (FindEmbedded(path, &bytes, &size)) {
        out.assign(reinterpret_cast<const char*>(bytes), size);
        return true;
    }
    // An incbin name that is not registered is missing, not a file name.
    const std::size_t sep = path.find("::");
    if (sep != std::string::npos && SchemeIsIncbin(path.substr(0, sep))) return false;
    return ReadWholeFile(HostPath(path), out);
}

void ClearEmbedded() {
    Registry().clear();
}
