#include "config/settings.h"

#include "base/bytes.h"
#include "config/paths.h"
#include "platform/files.h"

Settings settings;

namespace {
const char* const SettingsFileName = "settings.dat";
}

std::string encodeSettings(const Settings& values) {
    ByteWriter out;
    out.i32(values.currentProfile);
    out.lengthPrefixed(values.languageFile);
    out.i32(values.chosenFullScreen);
    out.i32(values.chosenWidth);
    out.i32(values.chosenHeight);
    out.i32(values.soundEffectsOn);
    out.i32(values.musicOn);
    out.i32(values.voicesOn);
    return std::string(out.bytes().begin(), out.bytes().end());
}

void decodeSettings(const std::string& fileBytes, Settings& values) {
    ByteReader in(reinterpret_cast<const std::uint8_t*>(fileBytes.data()), fileBytes.size());
    // Each field is taken only if it was read whole; once the reader fails,
    // every later field keeps its default.
    auto take = [&in](std::int32_t& field) {
        const std::int32_t value = in.i32();
        if (in.ok()) field = value;
    };
    take(values.currentProfile);
    const std::string name = in.lengthPrefixed(MaxLanguageNameLength);
    if (in.ok()) values.languageFile = name;
    take(values.chosenFullScreen);
    take(values.chosenWidth);
    take(values.chosenHeight);
    take(values.soundEffectsOn);
    take(values.musicOn);
    take(values.voicesOn);
}

void loadSettings() {
    settings = Settings();
    std::string contents;
    if (readTextFile(paths.dataFolder + SettingsFileName, contents))
        decodeSettings(contents, settings);
    else
        settings.firstStart = true;
}

bool saveSettings() {
    return writeFileSafely(paths.dataFolder + SettingsFileName, encodeSettings(settings));
}
