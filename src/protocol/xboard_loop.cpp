#include "protocol/xboard_loop.h"

#include <vector>

#include "protocol/play_move.h"
#include "protocol/read_number.h"
#include "protocol/xboard_analysis.h"
#include "protocol/xboard_reply.h"
#include "search/think.h"
#include "shell/input.h"
#include "shell/output.h"
#include "shell/protocol_output.h"
#include "shell/signals.h"
#include "shell/split_words.h"

namespace {

// Where "setboard" finds its FEN: after "setboard" and one blank.
constexpr std::size_t SETBOARD_FEN_OFFSET = 9;

void log_text(XboardSession& session, const std::string& text) {
    if (!session.log) return;
    std::fputs(text.c_str(), session.log);
    std::fflush(session.log);
}

std::string word_at(const std::vector<std::string>& words, std::size_t i) {
    return i < words.size() ? words[i] : std::string();
}

// A line that is no command: the opponent's move, answered in normal mode (in analyze mode
// the new position is analysed).
void opponent_move(XboardSession& session, const std::string& text) {
    XboardGame& game = session.game;
    if (!play_move_text(game.position, text, MatchRule::LAST)) return;
    game_advance(game);
    session.analysis_due = true;
    if (game.mode != XboardMode::NORMAL) return;
    engine_reply(game, session.log);
}

// Is a whole line (or the end of the input) waiting to be read?
bool line_waiting() {
    bool closed = false;
    fill_input_nonblocking(&closed);
    return closed || buffered_input().find('\n') != std::string::npos;
}

}  // namespace

bool xboard_handle_line(XboardSession& session, const std::string& line) {
    XboardGame& game = session.game;
    std::vector<std::string> words = split_words(line, 5);
    const std::string command = word_at(words, 0);
    if (command == "protover") {
        if (word_at(words, 1) == "2") {
            out("%s\n", XBOARD_FEATURES);
            log_text(session, std::string(XBOARD_FEATURES) + "\n");
        }
    } else if (command == "new") {
        game_new(game);
    } else if (command == "force") {
        game.mode = XboardMode::FORCE;
    } else if (command == "go") {
        game.mode = XboardMode::NORMAL;
        engine_go(game);
    } else if (command == "st") {
        apply_st(game.clock, word_at(words, 1));
    } else if (command == "sd") {
        apply_sd(game.clock, word_at(words, 1));
    } else if (command == "undo") {
        game_take_back(game, 1);
        session.analysis_due = true;
    } else if (command == "remove") {
        game_take_back(game, 2);
        session.analysis_due = true;
    } else if (command == "analyze") {
        game.mode = XboardMode::ANALYZE;
        session.analysis_due = true;
    } else if (command == "exit") {
        if (game.mode == XboardMode::ANALYZE) game.mode = XboardMode::FORCE;
    } else if (command == "ping") {
        out("pong %s\n", word_at(words, 1).c_str());
    } else if (command == "setboard") {
        std::string fen =
            line.size() > SETBOARD_FEN_OFFSET ? line.substr(SETBOARD_FEN_OFFSET) : std::string();
        if (!game_setboard(game, fen)) out("tellusererror Illegal position\n");
        session.analysis_due = true;
    } else if (command == "level") {
        apply_level(game.clock, words);
    } else if (command == "time") {
        apply_time(game.clock, word_at(words, 1));
    } else if (command == "hint" || command == "post" || command == "nopost") {
        // Nothing to do.
    } else if (command == "bk") {
        toggle_book(settings);
    } else if (command == "hard") {
        settings.ponder = 1;
    } else if (command == "easy") {
        settings.ponder = 0;
    } else if (command == "quit") {
        return false;
    } else {
        opponent_move(session, command);
    }
    return true;
}

int xboard_loop() {
    // The console's prompt has no line end: without one the first protocol line (the
    // features) would share its line and the interface would not see it.
    out("\n");
    protocol_mode = XBOARD_MODE;
    ignore_interrupt_signal();
    XboardSession session;
    game_new(session.game);
    session.log = std::fopen("winboard.txt", "w");
    std::string line;
    for (;;) {
        // Lines already waiting are handled first: analysing a position they change would be
        // wasted.
        if (session.analysis_due && session.game.mode == XboardMode::ANALYZE && !line_waiting())
            session.analysis_due = analyse_position(session.game);
        if (!read_line(line)) break;
        log_text(session, line + "\n");
        if (!xboard_handle_line(session, line)) break;
    }
    if (session.log) std::fclose(session.log);
    return 0;
}
