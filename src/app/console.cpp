#include "app/console.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/console_play.h"
#include "app/settings.h"
#include "app/startup.h"
#include "board/fen.h"
#include "board/make_move.h"
#include "harness/eval_test.h"
#include "harness/test_suite.h"
#include "movegen/generate_moves.h"
#include "movegen/perft.h"
#include "protocol/uci_loop.h"
#include "protocol/xboard_loop.h"
#include "shell/clock.h"
#include "shell/engine_log.h"
#include "shell/input.h"
#include "shell/output.h"
#include "shell/split_words.h"
#include "shell/version.h"

namespace {

struct ConsoleState {
    Position current = start_position;
    Position undo_copy = start_position;
};

// Decimal reading like the C library's, clamped to the int range instead of overflowing.
int read_decimal(const std::string& word) {
    long long value = std::strtoll(word.c_str(), nullptr, 10);
    if (value > 2147483647LL) return 2147483647;
    if (value < -2147483647LL) return -2147483647;
    return static_cast<int>(value);
}

// Deeper trees could not finish in any useful time, and the recursion must stay bounded.
constexpr int MAX_PERFT_DEPTH = 20;

void run_perft(ConsoleState& state, const std::string& depth_word) {
    int depth = read_decimal(depth_word);
    if (depth > MAX_PERFT_DEPTH) {
        out("\nperft depth %i is too deep (at most %i)", depth, MAX_PERFT_DEPTH);
        return;
    }
    perft_nodes = 0;
    double start = clock_ms_precise();
    perft(state.current, depth);
    double elapsed_ms = static_cast<double>(static_cast<long long>(clock_ms_precise() - start));
    double seconds = elapsed_ms / 1000.0;
    double rate = seconds > 0 ? static_cast<float>(perft_nodes) / seconds / 1000.0 : 0.0;
    out("\ntree to depth %i: %lld nodes in %.2f seconds (%.1f kN/s)", depth,
        static_cast<long long>(perft_nodes), seconds, rate);
}

// "test N": without a depth of at least one there is nothing to run.
void run_suite(const std::string& depth_word) {
    if (depth_word.empty()) return;
    const int depth = read_decimal(depth_word);
    if (depth >= 1) run_test_suite(depth);
}

// A typed move: the last generated move whose text matches; refused when illegal.
void enter_move(ConsoleState& state, const std::string& word) {
    MoveList list;
    int count = generate_moves(state.current, list);
    int match = -1;
    char text[8];
    for (int i = 0; i < count; ++i) {
        move_to_text(state.current, list[i], text);
        if (word == text) match = i;
    }
    if (match < 0) return;
    Position after = state.current;
    PieceCounts saved_counts = piece_counts;
    ply = 0;
    if (!make_move(after, list[match])) {
        piece_counts = saved_counts;
        return;
    }
    state.undo_copy = state.current;
    state.current = after;
    console_answer(state.current);
}

}  // namespace

int console_loop() {
    out("\norlo %s\ninitializing...  ", ENGINE_VERSION);
    engine_log_create();
    init_engine_tables();
    read_settings();
    out("done!");

    ConsoleState state;
    std::string line;
    for (;;) {
        print_board(state.current);
        out("\n>orlo ");
        if (!read_line(line)) return 0;
        std::vector<std::string> words = split_words(line, 3);
        const std::string command = words.empty() ? std::string() : words[0];
        const std::string argument = words.size() > 1 ? words[1] : std::string();
        if (command == "quit")
            return 0;
        else if (command == "perft")
            run_perft(state, argument);
        else if (command == "xboard")
            return xboard_loop();
        else if (command == "auto")
            console_auto(state.current);
        else if (command == "uci")
            return uci_loop();
        else if (command == "undo")
            state.current = state.undo_copy;
        else if (command == "go")
            console_go(state.current);
        else if (command == "new")
            state.current = start_position;
        else if (command == "test")
            run_suite(argument);
        else if (command == "testeval")
            run_eval_test();
        else
            enter_move(state, command);
    }
}
