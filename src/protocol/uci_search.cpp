#include "protocol/uci_search.h"

#include "board/make_move.h"
#include "board/zobrist.h"
#include "protocol/play_move.h"
#include "protocol/uci_go.h"
#include "protocol/uci_loop.h"
#include "search/think.h"
#include "shell/input.h"
#include "shell/protocol_output.h"
#include "shell/split_words.h"

void wait_for_release(UciSession& session, bool infinite) {
    std::string line;
    for (;;) {
        if (!read_line(line)) {
            session.input_ended = true;
            return;
        }
        log_received_line(line);
        std::vector<std::string> words = split_words(line, 1);
        const std::string command = words.empty() ? std::string() : words[0];
        if (command.empty()) continue;  // a blank line means nothing
        if (command == "isready") {
            send_line("readyok");
        } else if (command == "ponderhit") {
            // Pondering ends; "go infinite" still waits for its "stop".
            search_flags.pondering = 0;
            if (!infinite) return;
        } else {
            session.pending = line;
            session.has_pending = true;
            return;
        }
    }
}

void uci_go(UciSession& session, const std::string& line) {
    GoParameters go = parse_go(line);
    Position& position = session.game.position;
    SearchRequest request = choose_search(go, (position.flags & BLACK_TO_MOVE) != 0);
    search_flags.pondering = go.ponder ? 1 : 0;
    // The protocol forbids "bestmove" before "stop" after "go infinite", and before "stop"
    // or "ponderhit" while pondering; the reply waits in those cases, so think holds it.
    search_flags.hold_bestmove = 1;
    search_flags.move_deadline_ms = request.deadline_ms;
    int moved = think(position, request.time_ms, request.depth, settings,
                      request.pass_moves_played ? session.game.moves_played : 0);
    bool must_wait = go.infinite || search_flags.pondering == 1;
    if (!moved) {
        // No legal move: a final score line now, then the protocol's null move.
        send_line(side_to_move_in_check(position) ? "info depth 0 score mate 0"
                                                  : "info depth 0 score cp 0");
        if (must_wait) wait_for_release(session, go.infinite);
        send_line("bestmove 0000");
    } else {
        if (must_wait) wait_for_release(session, go.infinite);
        send_bestmove();
    }
    search_flags.hold_bestmove = 0;
    search_flags.pondering = 0;
    // After a shallow fixed-depth search the engine's move stands on the position: a next
    // "go" without a "position" searches on from there, so its key joins the history.
    if (moved && request.depth >= 1 && request.depth <= 4 &&
        play_move_text(position, last_search.best_text, MatchRule::FIRST)) {
        session.game.keys.push_back(compute_hash_key(position));
        publish_keys(session.game.keys);
    }
}
