// Translation of SDL's keyboard into the game's key strings (keys.h) and PC
// set-1 scan codes. Pure functions, so they are tested without a display.
#pragma once

#include <SDL2/SDL.h>

#include <string>

// The key string of a key press, or "" when the press is left to the text
// event (printable characters) or means nothing to the game.
std::string keyStringForKeyDown(SDL_Keycode key, Uint16 modifiers);

// The key strings of a text-input event: one per character, in
// Windows-1252; empty when Ctrl or Alt is held (the key press already
// produced that combination).
std::string textForTextInput(const char* utf8, Uint16 modifiers);

// The SDL scan code of a set-1 code; SDL_SCANCODE_UNKNOWN when unknown.
SDL_Scancode sdlScancodeOfSet1(int set1Code);
