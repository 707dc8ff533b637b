// Feeds arbitrary bytes to the profile-file reader: the pack name it finds is
// one line of the file, and comparing it with the pack names never fails.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "level/level_packs.h"
#include "progress/profiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string contents(reinterpret_cast<const char*>(data), size);
    const std::string pack = profilePackName(contents);
    if (pack.size() > contents.size() || pack.find_first_of("\r\n") != std::string::npos) std::abort();
    if (contents.compare(0, pack.size(), pack) != 0) std::abort();
    comparableName(pack);
    return 0;
}
