// The sound table: the file names of the game's 29 sound clips, numbered as
// the rest of the game plays them (0 to 5 effects, 6 to 27 voice comments,
// 28 the start-up jingle), and the folder that holds the music tracks. The
// clips lie in the program folder; number 21 loads the same file as number 8.
#pragma once

constexpr int soundCount = 29;

extern const char* const soundFileNames[soundCount];

constexpr int BumpClip = 0;         // volume follows the ball's speed
constexpr int StartupJingle = 28;   // played as the logo first shows

// Music tracks are every "*.ogg" in this sub-folder of the program folder.
constexpr const char* musicFolder = "audio/";
