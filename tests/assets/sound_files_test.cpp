// The sound files that lie beside the program: every clip of the sound table
// and the music tracks exist, are Ogg Vorbis streams at 44100 Hz in stereo,
// and decode through SDL_mixer the way the game loads them.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "assets/sound_table.h"
#include "base/bytes.h"
#include "platform/files.h"

namespace {

const std::string dataFolder = std::string(ZD_SOURCE_DIR) + "/data/";

struct StreamFormat {
    bool vorbis = false;
    std::uint32_t rate = 0;
    int channels = 0;
};

int byteAt(ByteReader& reader) {
    const std::string one = reader.text(1);
    return one.empty() ? -1 : static_cast<unsigned char>(one[0]);
}

// The Vorbis identification header, the first packet of the first Ogg page:
// the 27-byte page header (segment count last), the segment table, then
// packet type 1, "vorbis", version 0, channel count and sample rate.
StreamFormat streamFormat(const std::string& path) {
    StreamFormat format;
    Bytes file;
    if (!readFile(path, file)) return format;
    ByteReader reader(file);
    if (reader.text(4) != "OggS") return format;
    reader.text(22);
    const int segments = byteAt(reader);
    if (segments < 1) return format;
    reader.text(static_cast<std::size_t>(segments));
    if (byteAt(reader) != 1 || reader.text(6) != "vorbis" || reader.u32() != 0) return format;
    format.channels = byteAt(reader);
    format.rate = reader.u32();
    format.vorbis = reader.ok();
    return format;
}

class SoundFilesTest : public ::testing::Test {
protected:
    // The game's own device format; the dummy driver needs no sound card.
    static void SetUpTestSuite() {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024), 0) << Mix_GetError();
    }
    static void TearDownTestSuite() {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_Quit();
    }
};

TEST(SoundTable, NamesEveryClipInTheDataFolderAndNoOther) {
    std::set<std::string> named(soundFileNames, soundFileNames + soundCount);
    EXPECT_EQ(named.size(), 28u) << "only numbers 8 and 21 share a file";
    EXPECT_STREQ(soundFileNames[8], soundFileNames[21]);
    const auto present = listFolder(dataFolder, "*.ogg", EntryKind::Files);
    EXPECT_EQ(std::set<std::string>(present.begin(), present.end()), named);
}

TEST_F(SoundFilesTest, EveryClipIsStereoVorbisAt44100AndShortEnoughForItsEvent) {
    for (int n = 0; n < soundCount; ++n) {
        const std::string path = dataFolder + soundFileNames[n];
        SCOPED_TRACE(path);
        const StreamFormat format = streamFormat(path);
        EXPECT_TRUE(format.vorbis);
        EXPECT_EQ(format.rate, 44100u);
        EXPECT_EQ(format.channels, 2);

        Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
        ASSERT_NE(chunk, nullptr) << Mix_GetError();
        // The longest clip is the start-up jingle, which must end within the
        // two-second logo phase; every other event is shorter still.
        const double seconds = chunk->alen / (44100.0 * 2 * 2);
        EXPECT_GT(seconds, 0.05);
        EXPECT_LE(seconds, 2.0);
        Mix_FreeChunk(chunk);
    }
}

TEST_F(SoundFilesTest, AtLeastFourMusicTracksLoadAsOneToTwoMinutesOfVorbis) {
    const std::string folder = dataFolder + musicFolder;
    const auto tracks = listFolder(folder, "*.ogg", EntryKind::Files);
    EXPECT_GE(tracks.size(), 4u);
    for (const auto& name : tracks) {
        const std::string path = folder + name;
        SCOPED_TRACE(path);
        const StreamFormat format = streamFormat(path);
        EXPECT_TRUE(format.vorbis);
        EXPECT_EQ(format.rate, 44100u);
        EXPECT_EQ(format.channels, 2);

        Mix_Music* music = Mix_LoadMUS(path.c_str());
        ASSERT_NE(music, nullptr) << Mix_GetError();
        EXPECT_EQ(Mix_GetMusicType(music), MUS_OGG);
        const double seconds = Mix_MusicDuration(music);
        EXPECT_GE(seconds, 60.0);
        EXPECT_LE(seconds, 120.0);
        Mix_FreeMusic(music);
    }
}

}  // namespace
