#include "protocol/play_move.h"

#include "board/make_move.h"
#include "board/move.h"
#include "movegen/generate_moves.h"

bool play_move_text(Position& position, const std::string& text, MatchRule rule) {
    if (text.empty() || text.size() > 5) return false;
    MoveList list;
    int count = generate_moves(position, list);
    int match = -1;
    char buffer[8];
    for (int i = 0; i < count; ++i) {
        move_to_text(position, list[i], buffer);
        if (text == buffer) {
            match = i;
            if (rule == MatchRule::FIRST) break;
        }
    }
    if (match < 0) return false;
    // make_move also changes the keys, counters and ply, which the protocol loops don't own.
    const SavedBoard saved = save_board(position);
    const int saved_ply = ply;
    ply = 0;
    Position after = position;
    const bool legal = make_move(after, list[match]) != 0;
    restore_board(position, saved);
    ply = saved_ply;
    if (legal) position = after;
    return legal;
}
