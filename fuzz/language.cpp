// Feeds arbitrary bytes to the language-file reader: every input gives
// exactly 238 strings, none holding a line end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/language.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    List<std::string> table;
    parseLanguage(std::string(reinterpret_cast<const char*>(data), size), table);
    if (table.count() != StringCount) std::abort();
    for (const std::string& line : table)
        if (line.find('\n') != std::string::npos) std::abort();
    return 0;
}
