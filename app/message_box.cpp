#include "app/message_box.h"

#include "storage/messages.h"

#include <allegro.h>

void showMessageBox(const std::string& text) { allegro_message("%s", text.c_str()); }

void reportAndShow(const std::string& text) {
    reportProblem(text);
    showMessageBox(text);
}
