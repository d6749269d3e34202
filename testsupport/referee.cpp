#include "testsupport/referee.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "board/bitboard.h"
#include "board/make_move.h"
#include "board/position.h"
#include "board/zobrist.h"
#include "movegen/generate_evasions.h"
#include "protocol/play_move.h"
#include "shell/clock.h"
#include "testsupport/child_process.h"
#include "testsupport/protocol_lines.h"

namespace {

constexpr int START_TIMEOUT_MS = 30000;
constexpr int QUIT_TIMEOUT_MS = 10000;
constexpr std::size_t QUOTED_LINE_LENGTH = 160;
// The console's prompt; the protocol loop's first line ends it.
constexpr const char* PROMPT = ">orlo ";

struct Side {
    ChildProcess child;
    const char* name;
    std::int64_t clock_ms = 0;
    bool in_force = true;  // xboard: the engine has not been told "go" yet
    bool gone = false;     // crashed or hung: no more talking to it
    bool first_line = true;
};

struct Game {
    const RefereeSetup& setup;
    GameReport report;
    Position board = start_position;
    std::vector<std::string> moves;
    std::map<std::uint64_t, int> seen;
    int quiet_plies = 0;  // plies since the last capture or pawn move
    Side sides[2];
};

bool is_uci(const Game& g) {
    return g.setup.protocol == RefereeProtocol::UCI;
}

bool fixed_time(const Game& g) {
    return g.setup.movetime_ms > 0;
}

// The first faults of a game are quoted; later ones are only counted.
constexpr std::size_t QUOTED_FAULTS = 12;

void add_fault(Game& g, int& counter, const std::string& text) {
    ++counter;
    if (g.report.faults.size() < QUOTED_FAULTS)
        g.report.faults.push_back(text);
    else if (g.report.faults.size() == QUOTED_FAULTS)
        g.report.faults.push_back("... (further faults only counted)");
}

std::string shown(const std::string& line) {
    std::string text = line.substr(0, QUOTED_LINE_LENGTH);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32) c = '?';
    return "\"" + text + (line.size() > QUOTED_LINE_LENGTH ? "...\"" : "\"");
}

void check_line(Game& g, Side& s, const std::string& line) {
    bool ok;
    if (s.first_line) {
        // The console's prompt, ended by the protocol loop's first line.
        ok = line == PROMPT;
        s.first_line = false;
    } else {
        ok = is_uci(g) ? is_uci_line(line) : is_xboard_line(line);
    }
    if (!ok) add_fault(g, g.report.malformed_lines, std::string(s.name) + " sent " + shown(line));
}

// The side's next line (checked), within timeout_ms. A crash or a hang is reported, the
// side is given up, and false returned.
bool next_line(Game& g, Side& s, std::string& line, std::int64_t timeout_ms, const char* doing) {
    if (s.gone) return false;
    if (read_child_line(s.child, line, static_cast<int>(std::max<std::int64_t>(timeout_ms, 0)))) {
        check_line(g, s, line);
        return true;
    }
    s.gone = true;
    if (s.child.from_child < 0)
        add_fault(g, g.report.crashes, std::string(s.name) + " ended its output while " + doing);
    else
        add_fault(g, g.report.hangs, std::string(s.name) + " fell silent while " + doing);
    return false;
}

bool send(Side& s, const std::string& text) {
    return !s.gone && send_to_child(s.child, text);
}

// Reads (and checks) lines until one starting with `wanted`; false on a crash or a hang.
bool read_until(Game& g, Side& s, const std::string& wanted, std::int64_t timeout_ms,
                const char* doing, std::string& found) {
    const std::int64_t deadline = clock_ms() + timeout_ms;
    std::string line;
    while (next_line(g, s, line, deadline - clock_ms(), doing)) {
        if (line.compare(0, wanted.size(), wanted) == 0) {
            found = line;
            return true;
        }
    }
    return false;
}

// The level command's figures: the base as minutes[:seconds], the increment in seconds.
std::string level_line(int base_ms, int increment_ms) {
    char text[96];
    const int seconds = base_ms / 1000;
    std::snprintf(text, sizeof text, "level 0 %d:%02d %d.%02d\n", seconds / 60, seconds % 60,
                  increment_ms / 1000, increment_ms % 1000 / 10);
    return text;
}

bool start_side(Game& g, Side& s) {
    const std::string dir = (std::filesystem::path(g.setup.directory) / s.name).string();
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (!start_child(s.child, g.setup.engine, {}, dir)) {
        s.gone = true;
        add_fault(g, g.report.crashes, std::string(s.name) + " could not be started");
        return false;
    }
    if (read_child_until(s.child, std::string("\n") + PROMPT, START_TIMEOUT_MS).empty()) {
        s.gone = true;
        add_fault(g, s.child.from_child < 0 ? g.report.crashes : g.report.hangs,
                  std::string(s.name) + " showed no prompt");
        return false;
    }
    s.child.received.insert(0, PROMPT);
    std::string line;
    if (is_uci(g)) {
        send(s, "uci\n");
        if (!read_until(g, s, "uciok", START_TIMEOUT_MS, "starting", line)) return false;
        send(s, "isready\n");
        if (!read_until(g, s, "readyok", START_TIMEOUT_MS, "starting", line)) return false;
        send(s, "ucinewgame\n");
        return true;
    }
    send(s, "xboard\nprotover 2\n");
    for (;;) {
        if (!read_until(g, s, "feature ", START_TIMEOUT_MS, "starting", line)) return false;
        if (line.find("done=1") != std::string::npos) break;
    }
    const std::string control = fixed_time(g)
                                    ? "st " + std::to_string(g.setup.movetime_ms / 1000) + "\n"
                                    : level_line(g.setup.base_ms, g.setup.increment_ms);
    send(s, "new\n" + control + "post\neasy\nforce\n");
    for (const std::string& move : g.moves) send(s, move + "\n");
    return true;
}

// Ends the side: "quit", the rest of its output checked, and its exit status judged.
void end_side(Game& g, Side& s) {
    if (s.child.pid <= 0) return;
    const bool was_gone = s.gone;
    if (!s.gone) send_to_child(s.child, "quit\n");
    close_child_input(s.child);
    if (!was_gone) {
        for (const std::string& line : lines_of(read_child_all(s.child, QUIT_TIMEOUT_MS)))
            check_line(g, s, line);
    }
    const int status = wait_child(s.child, was_gone ? 0 : QUIT_TIMEOUT_MS);
    if (!was_gone && status != 0)
        add_fault(g, g.report.crashes,
                  std::string(s.name) + " ended with status " + std::to_string(status));
}

int popcount_all(const Position& p) {
    return popcount(p.white_king | p.white_queens | p.white_rooks | p.white_bishops |
                    p.white_knights | p.white_pawns | p.black_king | p.black_queens |
                    p.black_rooks | p.black_bishops | p.black_knights | p.black_pawns);
}

bool insufficient_material(const Position& p) {
    if (p.white_pawns | p.black_pawns | p.white_rooks | p.black_rooks | p.white_queens |
        p.black_queens)
        return false;
    return popcount(p.white_bishops | p.white_knights | p.black_bishops | p.black_knights) <= 1;
}

// Plays a checked move on the board and keeps the draw counts; false when illegal.
bool play(Game& g, const std::string& move, MatchRule rule) {
    const Position before = g.board;
    if (!play_move_text(g.board, move, rule)) return false;
    const bool pawn_moved =
        before.white_pawns != g.board.white_pawns || before.black_pawns != g.board.black_pawns;
    const bool captured = popcount_all(before) != popcount_all(g.board);
    g.quiet_plies = pawn_moved || captured ? 0 : g.quiet_plies + 1;
    ++g.seen[compute_hash_key(g.board)];
    g.moves.push_back(move);
    return true;
}

// The game's end by the rules, or "" while it goes on.
std::string game_end(Game& g) {
    const bool black = (g.board.flags & BLACK_TO_MOVE) != 0;
    if (!any_legal_move(g.board)) {
        if (!side_to_move_in_check(g.board)) {
            g.report.result = "1/2-1/2";
            return "stalemate";
        }
        g.report.result = black ? "1-0" : "0-1";
        return "checkmate";
    }
    g.report.result = "1/2-1/2";
    if (g.seen[compute_hash_key(g.board)] >= 3) return "repetition";
    if (g.quiet_plies >= 100) return "fifty-move rule";
    if (insufficient_material(g.board)) return "insufficient material";
    if (g.report.plies >= g.setup.ply_limit) return "ply limit";
    g.report.result = "*";
    return "";
}

std::string all_moves(const Game& g) {
    std::string text;
    for (const std::string& move : g.moves) text += (text.empty() ? "" : " ") + move;
    return text;
}

void lose(Game& g, int mover, const std::string& reason) {
    g.report.result = mover == 0 ? "0-1" : "1-0";
    g.report.reason = reason;
}

// One move of the side to move: asked, timed, read, checked and played. False when the
// game ends here.
bool play_one_move(Game& g) {
    const int mover = (g.board.flags & BLACK_TO_MOVE) ? 1 : 0;
    Side& s = g.sides[mover];
    Side& other = g.sides[1 - mover];
    const int inc = g.setup.increment_ms;
    // Under a fixed time a move each move has that time, and nothing carries over.
    if (fixed_time(g)) s.clock_ms = other.clock_ms = g.setup.movetime_ms;
    const std::int64_t own = s.clock_ms;
    const std::string last = g.report.plies > 0 ? g.moves.back() : std::string();

    const std::int64_t start = clock_ms();
    std::string line;
    std::string move;
    if (is_uci(g)) {
        const long long white = g.sides[0].clock_ms, black = g.sides[1].clock_ms;
        send(s, "position startpos" + (g.moves.empty() ? std::string() : " moves " + all_moves(g)) +
                    "\n");
        char go[160];
        if (fixed_time(g))
            std::snprintf(go, sizeof go, "go movetime %d\n", g.setup.movetime_ms);
        else
            std::snprintf(go, sizeof go, "go wtime %lld btime %lld winc %d binc %d\n", white, black,
                          inc, inc);
        send(s, go);
        if (!read_until(g, s, "bestmove", own + g.setup.grace_ms, "thinking", line)) {
            g.report.reason = "fault";
            return false;
        }
        std::istringstream words(line);
        std::string word;
        words >> word >> move;
    } else {
        std::string text = "time " + std::to_string(std::max<std::int64_t>(own, 0) / 10) +
                           "\notim " +
                           std::to_string(std::max<std::int64_t>(other.clock_ms, 0) / 10) + "\n";
        if (!last.empty() && g.report.plies > 0) text += last + "\n";
        if (s.in_force) text += "go\n";
        s.in_force = false;
        send(s, text);
        for (;;) {
            if (!next_line(g, s, line, start + own + g.setup.grace_ms - clock_ms(), "thinking")) {
                g.report.reason = "fault";
                return false;
            }
            if (line.rfind("move ", 0) == 0) {
                move = line.substr(5);
                break;
            }
            if (line == "resign") {
                lose(g, mover, "resignation");
                return false;
            }
            if (line.rfind("1-0 {", 0) == 0 || line.rfind("0-1 {", 0) == 0 ||
                line.rfind("1/2-1/2 {", 0) == 0) {
                add_fault(g, g.report.illegal_moves,
                          std::string(s.name) + " claimed " + shown(line) + " in a game not over");
                g.report.reason = "false claim";
                return false;
            }
        }
    }
    const std::int64_t used = clock_ms() - start;
    g.report.think_ms += used;
    g.report.longest_move_ms = std::max(g.report.longest_move_ms, used);

    if (!play(g, move, is_uci(g) ? MatchRule::FIRST : MatchRule::LAST)) {
        add_fault(g, g.report.illegal_moves,
                  std::string(s.name) + " played the illegal move " + shown(move) + " after " +
                      (g.moves.empty() ? std::string("the start") : all_moves(g)));
        lose(g, mover, "illegal move");
        return false;
    }
    ++g.report.plies;
    s.clock_ms -= used;
    g.report.least_clock_ms = std::min(g.report.least_clock_ms, s.clock_ms);
    if (s.clock_ms < 0 && g.setup.count_overruns) {
        add_fault(g, g.report.clock_overruns,
                  std::string(s.name) + " overran its " +
                      (fixed_time(g) ? "fixed move time" : "clock") + " by " +
                      std::to_string(-s.clock_ms) + " ms at ply " + std::to_string(g.moves.size()));
        lose(g, mover, "time forfeit");
        return false;
    }
    if (!fixed_time(g)) s.clock_ms += inc;
    const std::string end = game_end(g);
    if (!end.empty()) {
        g.report.reason = end;
        return false;
    }
    return true;
}

}  // namespace

GameReport referee_game(const RefereeSetup& setup) {
    Game g{setup, GameReport{}, start_position, {}, {}, 0, {}};
    g.sides[0].name = "white";
    g.sides[1].name = "black";
    for (const std::string& move : setup.opening) {
        if (!play(g, move, MatchRule::FIRST)) break;
    }
    g.seen.clear();
    ++g.seen[compute_hash_key(g.board)];
    g.quiet_plies = 0;
    for (Side& s : g.sides) s.clock_ms = setup.base_ms;

    bool started = true;
    for (Side& s : g.sides) started = start_side(g, s) && started;
    if (!started) {
        g.report.reason = "fault";
    } else {
        const std::string end = game_end(g);
        if (end.empty()) {
            while (play_one_move(g)) {
            }
        } else {
            g.report.reason = end;
        }
    }
    for (Side& s : g.sides) end_side(g, s);
    g.report.moves = all_moves(g);
    return g.report;
}

std::vector<std::vector<std::string>> read_openings(const std::string& path, int max_plies) {
    std::vector<std::vector<std::string>> openings;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::vector<std::string> moves;
        std::string word;
        while (static_cast<int>(moves.size()) < max_plies && words >> word && is_move_text(word))
            moves.push_back(word);
        if (!moves.empty()) openings.push_back(moves);
    }
    return openings;
}
