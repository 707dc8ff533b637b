// Fuzzes the level text reader: any text must be read without a fault, and a
// text that builds must survive encode, decode, dump and build unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "level/level_file.h"
#include "level_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    LevelFileData data;
    std::vector<TextProblem> problems;
    if (!levelFromText(text, data, problems)) {
        if (problems.empty()) std::abort();  // a failure must say why
        describeProblems("fuzz.txt", problems);
        return 0;
    }
    const Bytes file = encodeLevelFile(data);
    LevelFileData loaded;
    if (!decodeLevelFile(file, loaded)) std::abort();
    LevelFileData rebuilt;
    if (!levelFromText(levelToText(loaded), rebuilt, problems)) std::abort();
    if (encodeLevelFile(rebuilt) != file) std::abort();
    return 0;
}
