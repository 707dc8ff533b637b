// The shared dialog: one message, question or text-entry box at a time. The
// level loader and saver, the pack operations and the editor fill it in; the
// editor's input layer answers it and the overlay renderer draws it.
#pragma once

#include <cstdint>
#include <string>

struct DialogState {
    // -1 the logo screen is up; 0 no dialog; 1 message; 2..100 and 201
    // question (two buttons); 101..200 text entry.
    std::int32_t dialogId = -1;
    std::string dialogLine1;    // first text line
    std::string dialogLine2;    // second text line
    std::string dialogLine3;    // third text line
    std::string dialogButton1;  // caption of the first (or only) button
    std::string dialogButton2;  // caption of the second button of a question
    std::string dialogField;    // text being typed into a text-entry dialog
    std::uint32_t messagesShown = 0;  // message dialogs opened since start (compared around an operation)
};

extern DialogState dialog;

// Opens the message dialog: three lines and a button captioned string 53.
void showMessage(const std::string& line1, const std::string& line2, const std::string& line3);
