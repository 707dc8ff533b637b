#include "platform/sdl_keymap.h"

#include "base/encoding.h"
#include "platform/keys.h"

namespace {

bool ctrlHeld(Uint16 m) { return (m & KMOD_CTRL) != 0 && (m & KMOD_RALT) == 0; }
// AltGr (right Alt) types characters on many layouts, so only left Alt counts.
bool altHeld(Uint16 m) { return (m & KMOD_LALT) != 0; }
bool shiftHeld(Uint16 m) { return (m & KMOD_SHIFT) != 0; }

struct SpecialKey {
    SDL_Keycode key;
    int plain;
    int ctrl;
    int alt;
};

const SpecialKey specialKeys[] = {
    {SDLK_UP, 72, 141, 152},       {SDLK_DOWN, 80, 145, 160},     {SDLK_LEFT, 75, 115, 155},
    {SDLK_RIGHT, 77, 116, 157},    {SDLK_HOME, 71, 119, 151},     {SDLK_END, 79, 117, 159},
    {SDLK_PAGEUP, 73, 132, 153},   {SDLK_PAGEDOWN, 81, 118, 161}, {SDLK_INSERT, 82, 146, 162},
    {SDLK_DELETE, 83, 147, 163},
};

// Set-1 scan codes of the letters a..z.
const int letterSet1[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                            49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

struct Set1Pair {
    int set1;
    SDL_Scancode sdl;
};

const Set1Pair set1Table[] = {
    {1, SDL_SCANCODE_ESCAPE},    {2, SDL_SCANCODE_1},          {3, SDL_SCANCODE_2},
    {4, SDL_SCANCODE_3},         {5, SDL_SCANCODE_4},          {6, SDL_SCANCODE_5},
    {7, SDL_SCANCODE_6},         {8, SDL_SCANCODE_7},          {9, SDL_SCANCODE_8},
    {10, SDL_SCANCODE_9},        {11, SDL_SCANCODE_0},         {12, SDL_SCANCODE_MINUS},
    {13, SDL_SCANCODE_EQUALS},   {14, SDL_SCANCODE_BACKSPACE}, {15, SDL_SCANCODE_TAB},
    {16, SDL_SCANCODE_Q},        {17, SDL_SCANCODE_W},         {18, SDL_SCANCODE_E},
    {19, SDL_SCANCODE_R},        {20, SDL_SCANCODE_T},         {21, SDL_SCANCODE_Y},
    {22, SDL_SCANCODE_U},        {23, SDL_SCANCODE_I},         {24, SDL_SCANCODE_O},
    {25, SDL_SCANCODE_P},        {26, SDL_SCANCODE_LEFTBRACKET}, {27, SDL_SCANCODE_RIGHTBRACKET},
    {28, SDL_SCANCODE_RETURN},   {29, SDL_SCANCODE_LCTRL},     {30, SDL_SCANCODE_A},
    {31, SDL_SCANCODE_S},        {32, SDL_SCANCODE_D},         {33, SDL_SCANCODE_F},
    {34, SDL_SCANCODE_G},        {35, SDL_SCANCODE_H},         {36, SDL_SCANCODE_J},
    {37, SDL_SCANCODE_K},        {38, SDL_SCANCODE_L},         {39, SDL_SCANCODE_SEMICOLON},
    {40, SDL_SCANCODE_APOSTROPHE}, {41, SDL_SCANCODE_GRAVE},   {42, SDL_SCANCODE_LSHIFT},
    {43, SDL_SCANCODE_BACKSLASH}, {44, SDL_SCANCODE_Z},        {45, SDL_SCANCODE_X},
    {46, SDL_SCANCODE_C},        {47, SDL_SCANCODE_V},         {48, SDL_SCANCODE_B},
    {49, SDL_SCANCODE_N},        {50, SDL_SCANCODE_M},         {51, SDL_SCANCODE_COMMA},
    {52, SDL_SCANCODE_PERIOD},   {53, SDL_SCANCODE_SLASH},     {54, SDL_SCANCODE_RSHIFT},
    {55, SDL_SCANCODE_KP_MULTIPLY}, {56, SDL_SCANCODE_LALT},   {57, SDL_SCANCODE_SPACE},
    {58, SDL_SCANCODE_CAPSLOCK}, {59, SDL_SCANCODE_F1},        {60, SDL_SCANCODE_F2},
    {61, SDL_SCANCODE_F3},       {62, SDL_SCANCODE_F4},        {63, SDL_SCANCODE_F5},
    {64, SDL_SCANCODE_F6},       {65, SDL_SCANCODE_F7},        {66, SDL_SCANCODE_F8},
    {67, SDL_SCANCODE_F9},       {68, SDL_SCANCODE_F10},       {71, SDL_SCANCODE_HOME},
    {72, SDL_SCANCODE_UP},       {73, SDL_SCANCODE_PAGEUP},    {74, SDL_SCANCODE_KP_MINUS},
    {75, SDL_SCANCODE_LEFT},     {77, SDL_SCANCODE_RIGHT},     {78, SDL_SCANCODE_KP_PLUS},
    {79, SDL_SCANCODE_END},      {80, SDL_SCANCODE_DOWN},      {81, SDL_SCANCODE_PAGEDOWN},
    {82, SDL_SCANCODE_INSERT},   {83, SDL_SCANCODE_DELETE},    {87, SDL_SCANCODE_F11},
    {88, SDL_SCANCODE_F12},
};

std::string functionKeyString(int number, Uint16 m) {
    if (altHeld(m)) return altFunctionKey(number);
    if (ctrlHeld(m)) return ctrlFunctionKey(number);
    if (shiftHeld(m)) return shiftFunctionKey(number);
    return functionKey(number);
}

}  // namespace

std::string keyStringForKeyDown(SDL_Keycode key, Uint16 m) {
    for (const SpecialKey& special : specialKeys) {
        if (special.key != key) continue;
        if (altHeld(m)) return specialKey(special.alt);
        if (ctrlHeld(m)) return specialKey(special.ctrl);
        return specialKey(special.plain);
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) return functionKeyString(static_cast<int>(key - SDLK_F1) + 1, m);
    switch (key) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return KeyEnter;
        case SDLK_ESCAPE: return KeyEsc;
        case SDLK_BACKSPACE: return KeyBackspace;
        case SDLK_TAB: return KeyTab;
        default: break;
    }
    if (key >= SDLK_a && key <= SDLK_z) {
        const int letter = static_cast<int>(key - SDLK_a);
        if (altHeld(m)) return specialKey(letterSet1[letter]);
        if (ctrlHeld(m)) return std::string(1, static_cast<char>(letter + 1));
    }
    return "";  // printable keys arrive as text
}

std::string textForTextInput(const char* utf8, Uint16 modifiers) {
    if (ctrlHeld(modifiers) || altHeld(modifiers)) return "";
    return utf8ToWindows1252(utf8);
}

SDL_Scancode sdlScancodeOfSet1(int set1Code) {
    for (const Set1Pair& pair : set1Table)
        if (pair.set1 == set1Code) return pair.sdl;
    return SDL_SCANCODE_UNKNOWN;
}
