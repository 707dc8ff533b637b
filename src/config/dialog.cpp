#include "config/dialog.h"

#include "config/language.h"

DialogState dialog;

void showMessage(const std::string& line1, const std::string& line2, const std::string& line3) {
    dialog.dialogId = 1;
    dialog.dialogLine1 = line1;
    dialog.dialogLine2 = line2;
    dialog.dialogLine3 = line3;
    dialog.dialogButton1 = str(53);
    ++dialog.messagesShown;
}
