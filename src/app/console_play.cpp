#include "app/console_play.h"

#include "search/engine_settings.h"
#include "search/think.h"
#include "shell/output.h"

void console_go(Position& current, int time_ms) {
    think(current, time_ms, 0, settings, 0);
}

void console_answer(Position& current, int time_ms) {
    if (!think(current, time_ms, 0, settings, 0)) return;
    char text[8] = "";
    if (search_flags.ponder_move) move_to_text(current, search_flags.ponder_move, text);
    out("\nponder move is %s (%i)", text, static_cast<int>(search_flags.ponder_move));
}

void console_auto(Position& current, int time_ms) {
    while (think(current, time_ms, 0, settings, 0)) {
    }
}
