// Key strings: what the buffered key read returns, and every name the game
// compares a key against.
//
// A printable character or a control character is a one-character string in
// Windows-1252 (Enter "\r", Esc "\x1b", Backspace "\b", Tab "\t", Ctrl+N
// "\x0e"). A special key is two characters: a zero byte followed by the PC
// BIOS extended code of the key (Up 72, Ctrl+PgUp 132, Alt+S 31 ...). The
// window's close request shares the code of Alt+F4, so both close the game.
//
// Held keys are asked for by PC set-1 scan code (the Scan* constants).
#pragma once

#include <string>

inline std::string specialKey(int extendedCode) {
    return std::string(1, '\0') + static_cast<char>(extendedCode);
}

inline bool isSpecialKey(const std::string& key) { return key.size() == 2 && key[0] == '\0'; }

// Plain keys.
inline const std::string KeyEnter = "\r";
inline const std::string KeyEsc = "\x1b";
inline const std::string KeyBackspace = "\b";
inline const std::string KeyTab = "\t";
inline const std::string KeySpace = " ";
inline const std::string KeyCtrlN = "\x0e";

// Special keys.
inline const std::string KeyUp = specialKey(72);
inline const std::string KeyDown = specialKey(80);
inline const std::string KeyLeft = specialKey(75);
inline const std::string KeyRight = specialKey(77);
inline const std::string KeyHome = specialKey(71);
inline const std::string KeyEnd = specialKey(79);
inline const std::string KeyPgUp = specialKey(73);
inline const std::string KeyPgDn = specialKey(81);
inline const std::string KeyIns = specialKey(82);
inline const std::string KeyDel = specialKey(83);

inline const std::string KeyCtrlUp = specialKey(141);
inline const std::string KeyCtrlDown = specialKey(145);
inline const std::string KeyCtrlLeft = specialKey(115);
inline const std::string KeyCtrlRight = specialKey(116);
inline const std::string KeyCtrlHome = specialKey(119);
inline const std::string KeyCtrlEnd = specialKey(117);
inline const std::string KeyCtrlPgUp = specialKey(132);
inline const std::string KeyCtrlPgDn = specialKey(118);
inline const std::string KeyCtrlIns = specialKey(146);
inline const std::string KeyCtrlDel = specialKey(147);

inline const std::string KeyAltUp = specialKey(152);
inline const std::string KeyAltDown = specialKey(160);
inline const std::string KeyAltLeft = specialKey(155);
inline const std::string KeyAltRight = specialKey(157);
inline const std::string KeyAltHome = specialKey(151);
inline const std::string KeyAltEnd = specialKey(159);
inline const std::string KeyAltPgUp = specialKey(153);
inline const std::string KeyAltPgDn = specialKey(161);
inline const std::string KeyAltIns = specialKey(162);
inline const std::string KeyAltDel = specialKey(163);

// Alt with a letter gives the letter's set-1 scan code.
inline const std::string KeyAltS = specialKey(31);
inline const std::string KeyAltB = specialKey(48);

// Function keys F1..F12, plain and with Shift, Ctrl and Alt.
std::string functionKey(int number);
std::string shiftFunctionKey(int number);
std::string ctrlFunctionKey(int number);
std::string altFunctionKey(int number);

inline const std::string KeyF2 = specialKey(60);
inline const std::string KeyF5 = specialKey(63);
inline const std::string KeyF6 = specialKey(64);
inline const std::string KeyF7 = specialKey(65);

// The window's close request (the same string as Alt+F4).
inline const std::string KeyClose = specialKey(107);

// Set-1 scan codes of the keys the game holds.
enum ScanCode {
    ScanEsc = 1,
    ScanMinus = 12,
    ScanEnter = 28,
    ScanCtrl = 29,
    ScanLeftShift = 42,
    ScanRightShift = 54,
    ScanAlt = 56,
    ScanSpace = 57,
    ScanUp = 72,
    ScanLeft = 75,
    ScanRight = 77,
    ScanDown = 80,
};
