#include "search/think.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "board/fen.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "book/book.h"
#include "eval/evaluate.h"
#include "movegen/generate_evasions.h"
#include "movegen/generate_moves.h"
#include "search/count_material.h"
#include "search/ordering.h"
#include "search/root_search.h"
#include "search/search_state.h"
#include "search/trans_table.h"
#include "shell/clock.h"
#include "shell/engine_log.h"
#include "shell/output.h"
#include "shell/protocol_output.h"

SearchResult last_search{};
SearchFlags search_flags{};

std::int64_t time_budget = 0;
std::int64_t search_start_ms = 0;
std::int64_t deadline_span_ms = 0;
std::int64_t deadline_at_ms = 0;
std::int64_t previous_look_ms = 0;
std::int64_t longest_look_gap_ms = 0;
int draw_value = 0;
int root_side = 0;
int easy_move_enabled = 0;
int sel_depth = 0;
std::array<std::uint32_t, PATH_ROOT + MAX_PLY + 1> path_keys{};
PlyMarks ply_marks{};
SearchStats stats{};
std::int64_t next_interrupt_check = 0;

namespace {

constexpr int MAX_ITERATION_DEPTH = 320;  // eighths: iterations stop below 40 plies
constexpr int NO_LIMIT_MS = 100000000;
constexpr int MATE_FOUND = 31900;
constexpr int RESIGN_BELOW = -700;
// A repetition must never look like a mate, nor overflow the tables' 16-bit values.
constexpr int MAX_CONTEMPT = 30000;

// What send_bestmove needs after think has returned.
Position reported_position{};
int reported_depth = 0;

int full_evaluation(const Position& position, int report) {
    PawnRecord pawn_record;
    AttackInfo attacks;
    int passer_flag = 0;
    return evaluate(position, pawn_record, -MATE, MATE, passer_flag, report, attacks);
}

// Plays a move on the position and brings the keys and counters up to date with it.
void play(Position& position, Move move) {
    ply = 0;
    make_move(position, move);
    hash_key = compute_hash_key(position);
    pawn_hash_key = compute_pawn_hash_key(position);
    count_material(position);
}

// The move of the position whose text is `text`, or 0.
Move move_with_text(const Position& position, const char* text) {
    if (!text[0]) return 0;
    MoveList moves;
    const int count = generate_moves(position, moves);
    char buffer[8];
    for (int i = 0; i < count; ++i) {
        move_to_text(position, moves[i], buffer);
        if (std::strcmp(buffer, text) == 0) return moves[i];
    }
    return 0;
}

double elapsed_seconds() {
    return (clock_ms_precise() - static_cast<double>(search_start_ms)) / 1000.0;
}

struct Iteration {
    int number;
    int value;
    Move best_move;
    char best_text[8];
    char pv_text[PV_TEXT_SIZE];
};

void report_iteration(Position& position, Iteration& it) {
    const double elapsed = elapsed_seconds();
    std::strcpy(it.pv_text, ".");
    it.best_text[0] = '\0';
    if (it.best_move) {
        move_to_text(position, it.best_move, it.best_text);
        const SavedBoard saved = save_board(position);
        Position after = position;
        ply = 0;
        make_move(after, it.best_move);
        hash_pv_line(after, it.pv_text);
        restore_board(position, saved);
    }

    const std::int64_t nodes = stats.node_count;
    const std::int64_t qs_nodes = stats.qs_node_count;
    const double all_nodes = static_cast<double>(nodes + qs_nodes);
    const double knps = all_nodes / ((elapsed + 0.001) * 1000.0);
    const double qs_share = all_nodes > 0 ? qs_nodes / all_nodes * 100.0 : 0.0;
    const long long br = stats.first_move_cutoffs * 100 / (stats.beta_cutoffs + 1);
    const double nr =
        static_cast<double>(stats.null_cutoffs) / static_cast<double>(stats.null_tries + 1) * 100.0;

    if (protocol_mode == CONSOLE_MODE) {
        out("\nd %2i/%2i  v %i  t %.2fs %lld N %lld QN  %.1f qr  %.1f nr %.1f kN/s, pv %lld",
            it.number, sel_depth, it.value, elapsed, static_cast<long long>(nodes),
            static_cast<long long>(qs_nodes), qs_share, nr, knps,
            static_cast<long long>(stats.pv_hits));
        out("\n  pv: %s %s", it.best_text, it.pv_text);
    }
    engine_log("\n%2i/%-2i  %4i  %.2fs  %8lld  %5.1f %2.0f  %2lld  %2.0f \t%s %s", it.number,
               sel_depth, it.value, elapsed, static_cast<long long>(nodes), knps, qs_share, br, nr,
               it.best_text, it.pv_text);
    if (std::FILE* log = engine_log_hold()) std::fflush(log);

    if (protocol_mode == UCI_MODE) {
        // The protocol's pv is moves only: drop the walk's closing ".".
        char pv_moves[PV_TEXT_SIZE];
        std::strcpy(pv_moves, it.pv_text);
        std::size_t length = std::strlen(pv_moves);
        if (length && pv_moves[length - 1] == '.') pv_moves[--length] = '\0';
        while (length && pv_moves[length - 1] == ' ') pv_moves[--length] = '\0';
        char score[32];
        uci_score_text(it.value, score, sizeof score);
        send_line_format(
            "info depth %i seldepth %i score %s nodes %lld nps %lld time %lld pv %s%s%s", it.number,
            sel_depth, score, static_cast<long long>(nodes), static_cast<long long>(knps * 1000.0),
            static_cast<long long>(elapsed * 1000.0), it.best_text, length ? " " : "", pv_moves);
    } else if (protocol_mode == XBOARD_MODE) {
        char line[256];
        std::snprintf(line, sizeof line, "%i %i %lld %lld %s %s\n", it.number, it.value,
                      static_cast<long long>(elapsed * 100.0), static_cast<long long>(nodes),
                      it.best_text, it.pv_text);
        out("%s", line);
        out("tellothers %s", line);
    }
}

// The first move of the pv text (up to its first space); "" when the walk found none.
void first_pv_move(const char* pv_text, char* ponder_text) {
    int i = 0;
    while (i < 7 && pv_text[i] && pv_text[i] != ' ' && pv_text[i] != '.') {
        ponder_text[i] = pv_text[i];
        ++i;
    }
    ponder_text[i] = '\0';
    if (pv_text[i] != ' ') ponder_text[0] = '\0';
}

void print_statistics() {
    out("\nextensions: check:%lld  recapture:%i  single reply:%lld\nmatethreat:%lld  pawnpush:%i "
        "doublecheck:%i",
        static_cast<long long>(stats.check_extensions), 0,
        static_cast<long long>(stats.single_reply_extensions),
        static_cast<long long>(stats.mate_threat_extensions), 0, double_check_count);
    out("\n%i material updates", 0);
    const double ratio =
        eval_count ? static_cast<double>(lazy_eval_count) * 100.0 / static_cast<double>(eval_count)
                   : 0.0;
    out("\n%llu evals, %llu lazy evals, %.1f ratio", static_cast<unsigned long long>(eval_count),
        static_cast<unsigned long long>(lazy_eval_count), ratio);
    out("\n%i razor cuts ", 0);
}

void append_position_log(const Position& position, int root_eval, int score) {
    std::FILE* file = std::fopen("poslog.txt", "a");
    if (!file) return;
    char fen[FEN_BUFFER_SIZE];
    write_fen(position, fen);
    std::fprintf(file, "%s", fen);
    std::fprintf(file, " %i %i\n", root_eval, score);
    std::fclose(file);
}

// Sets up everything a search starts from (steps that do not depend on the mode); deadline
// is the one the protocol loop handed over (0: none).
void prepare_search(Position& position, int time_ms, int depth, std::int64_t deadline,
                    const EngineSettings& s, int& iteration_limit) {
    // The counters first: from the search's first clock reading on they are this search's
    // (a test clock that makes time pass with the nodes counted reads them).
    stats = SearchStats{};
    next_interrupt_check = INTERRUPT_INTERVAL;
    // The search's time starts here, wiping the tables included: at a fast control those
    // milliseconds come off the same clock as the search's own.
    search_start_ms = clock_ms();
    previous_look_ms = search_start_ms;
    longest_look_gap_ms = 0;
    deadline_span_ms = deadline;
    // While pondering it does not run: a ponderhit starts it.
    deadline_at_ms = deadline && search_flags.pondering != 1 ? search_start_ms + deadline : 0;
    static bool first_call = true;
    if (first_call) {
        clear_history();
        first_call = false;
    }
    easy_move_enabled = s.easymove;
    draw_value = s.contempt > MAX_CONTEMPT
                     ? MAX_CONTEMPT
                     : (s.contempt < -MAX_CONTEMPT ? -MAX_CONTEMPT : s.contempt);
    sel_depth = 0;
    root_side = (position.flags & BLACK_TO_MOVE) ? 1 : 0;
    ply = 0;
    search_flags.stop_flag = 0;

    engine_log_hold();
    engine_log("\n");
    log_board(position);

    pawn_hash_key = compute_pawn_hash_key(position);
    count_material(position);

    const double clear_start = clock_ms_precise();
    clear_hash_tables();
    const double clear_seconds = (clock_ms_precise() - clear_start) / 1000.0;
    // Printed in every mode: interfaces pass over lines they do not know.
    out(" \nhash cleared/aged in %.3f s\n", clear_seconds);
    clear_history();

    // The game's positions before the root, nearest last, for the repetition test.
    path_keys.fill(0);
    const int known =
        key_count < 0 ? 0 : (key_count > KEY_HISTORY_SIZE ? KEY_HISTORY_SIZE : key_count);
    for (int i = 0; i < known && PATH_ROOT - i >= 1; ++i)
        path_keys[PATH_ROOT - i] = path_key_of(key_history[known - 1 - i]);

    clear_ply_marks();

    position.white_pieces = position.white_king | position.white_queens | position.white_rooks |
                            position.white_bishops | position.white_knights | position.white_pawns;
    position.black_pieces = position.black_king | position.black_queens | position.black_rooks |
                            position.black_bishops | position.black_knights | position.black_pawns;

    eval_count = 0;
    lazy_eval_count = 0;
    double_check_count = 0;

    time_budget = time_ms ? time_ms : NO_LIMIT_MS;
    iteration_limit = MAX_ITERATION_DEPTH / ONE_PLY;
    if (depth != 0) {
        // A depth beyond the last iteration (or below one) is taken as the nearest there is.
        iteration_limit =
            depth < 1 ? 1 : (depth > iteration_limit - 1 ? iteration_limit - 1 : depth);
        time_budget = NO_LIMIT_MS;
    }
#ifdef ORLO_FUZZING
    if (iteration_limit > FUZZ_DEPTH_LIMIT) iteration_limit = FUZZ_DEPTH_LIMIT;
    time_budget = NO_LIMIT_MS;
    deadline_span_ms = 0;
    deadline_at_ms = 0;
#endif
}

}  // namespace

void clear_ply_marks() {
    ply_marks.null_mark.fill(0);
    ply_marks.check_extended.fill(0);
    ply_entries.in_check.fill(0);
    ply_entries.captured_value.fill(0);
    ply_entries.pawn_push.fill(0);
    ply_entries.capture_square.fill(-1);
}

void widen_window(int v, int& alpha, int& beta, int& delta) {
    if (v <= alpha) {
        beta = (alpha + beta) / 2;
        alpha -= delta;
    } else {
        alpha = (alpha + beta) / 2;
        beta += delta;
    }
    delta *= 2;
    if (alpha < -1000) alpha = -MATE;
    if (beta > 1000) beta = MATE;
}

void send_bestmove() {
    if (!last_search.has_move) return;
    if (last_search.ponder_text[0])
        send_line_format("bestmove %s ponder %s", last_search.best_text, last_search.ponder_text);
    else
        send_line_format("bestmove %s", last_search.best_text);

    if (reported_depth < 1 || reported_depth > 4) return;
    Position position = reported_position;
    send_line("info string --------------------- before move ------------------------");
    hash_key = compute_hash_key(position);
    pawn_hash_key = compute_pawn_hash_key(position);
    count_material(position);
    full_evaluation(position, 1);
    send_line("info string ----------------------------------------------------------");
    send_line("info string --------------------- after move ------------------------");
    play(position, last_search.best_move);
    full_evaluation(position, 1);
    send_line("info string ----------------------------------------------------------");
}

int think(Position& position, int time_ms, int depth, const EngineSettings& search_settings,
          int moves_played) {
    // This search's deadline alone.
    const std::int64_t deadline = search_flags.move_deadline_ms;
    search_flags.move_deadline_ms = 0;
    last_search = SearchResult{};
    last_search.in_check = side_to_move_in_check(position) ? 1 : 0;
    if (!any_legal_move(position)) {
        // Nothing to search and nothing to play; the protocol loops give their own replies.
        search_flags.stop_flag = 0;
        if (protocol_mode == CONSOLE_MODE)
            out(last_search.in_check ? "\ncheckmate" : "\nstalemate");
        return 0;
    }

    int iteration_limit = 0;
    prepare_search(position, time_ms, depth, deadline, search_settings, iteration_limit);

    if (protocol_mode == UCI_MODE) {
        char fen[FEN_BUFFER_SIZE];
        write_fen(position, fen);
        engine_log("\nFEN: %s", fen);
    } else if (protocol_mode == XBOARD_MODE) {
        engine_log("\nplanning to use %lld ms", static_cast<long long>(time_budget));
        if (std::FILE* log = engine_log_hold()) std::fflush(log);
    } else {
        out("evaluation is %.2f", full_evaluation(position, 1) / 100.0);
    }

    Iteration it{};
    int score = 0;
    int root_eval = 0;
    Move book_move = 0;
    const bool from_book = search_settings.book != 0 && probe_book(position, book_move);
    if (from_book) {
        // The book's move is played as it stands: no search, score 0, nothing to ponder on.
        it.best_move = book_move;
        move_to_text(position, book_move, it.best_text);
        engine_log("\nbook move %s", it.best_text);
    } else {
        root_eval = full_evaluation(position, 0);
        engine_log("\ndepth  eval  time      nodes  kN/s  QS  BR  NR \tpv");
        int previous = 0;
        for (int n = 1; n * ONE_PLY < MAX_ITERATION_DEPTH; ++n) {
            const int d = n * ONE_PLY;
            int alpha = previous - 50;
            int beta = previous + 50;
            int delta = 50;
            int easy = 0;
            int v = root_search(position, alpha, beta, d, it.best_move, easy);
            while (!search_flags.stop_flag && !(alpha < v && v < beta)) {
                widen_window(v, alpha, beta, delta);
                v = root_search(position, alpha, beta, d, it.best_move, easy);
            }
            previous = v;
            // A stop before any root move finished leaves no move of its own: keep the list's
            // first, which every iteration searches first.
            if (!it.best_move && root_count > 0) it.best_move = root_moves[0];
            it.number = n;
            it.value = v;
            score = v;
            if (!(search_flags.analysing && search_flags.stop_flag == STOPPED_BY_INPUT))
                report_iteration(position, it);

            const std::int64_t now = clock_ms();
            const std::int64_t elapsed = now - search_start_ms;
            // The deadline too: the report's writing is time the looks at the clock do not see.
            if ((elapsed > 2 * time_budget / 3 && search_flags.pondering != 1) ||
                n == iteration_limit || search_flags.stop_flag || easy ||
                std::abs(v) > MATE_FOUND || deadline_reached(now, 0))
                break;
        }
    }

    engine_log_release();
    char ponder_text[8];
    first_pv_move(it.pv_text, ponder_text);

    last_search.has_move = 1;
    last_search.from_book = from_book ? 1 : 0;
    last_search.best_move = it.best_move;
    last_search.score = score;
    last_search.depth = it.number;
    std::strcpy(last_search.best_text, it.best_text);
    std::strcpy(last_search.ponder_text, ponder_text);
    reported_position = position;
    reported_depth = depth;

    if (protocol_mode == CONSOLE_MODE) {
        play(position, it.best_move);
        const int eval_after = full_evaluation(position, 1);
        print_statistics();
        search_flags.ponder_move = move_with_text(position, ponder_text);
        out("evaluation is %.2f", eval_after / 100.0);
    } else if (protocol_mode == UCI_MODE) {
        if (moves_played % 10 == 2 && moves_played <= 100 && !search_flags.stop_flag &&
            std::abs(root_eval) < 300)
            append_position_log(position, root_eval, score);
        if (!search_flags.hold_bestmove) send_bestmove();
    } else if (!search_flags.analysing) {
        play(position, it.best_move);
        out("move %s\n", it.best_text);
        if (score == MATE - 1)
            out((position.flags & BLACK_TO_MOVE) ? "1-0 {White mates}\n" : "0-1 {Black mates}\n");
        search_flags.ponder_move = move_with_text(position, ponder_text);
    }

    if (search_settings.resign && score < RESIGN_BELOW && !search_flags.analysing) {
        if (protocol_mode == CONSOLE_MODE)
            out("\nI resign!");
        else if (protocol_mode == XBOARD_MODE)
            out("resign\n");
    }
    return 1;
}
