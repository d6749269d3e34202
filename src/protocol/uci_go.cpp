#include "protocol/uci_go.h"

#include <algorithm>
#include <cstdint>

#include "protocol/read_number.h"
#include "search/search_flags.h"
#include "shell/split_words.h"

GoParameters parse_go(const std::string& line) {
    GoParameters go;
    std::vector<std::string> tokens = split_words(line, line.size());
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        auto value = [&]() {
            if (i + 1 >= tokens.size()) return 0;
            return read_int(tokens[++i]);
        };
        if (token == "ponder")
            go.ponder = true;
        else if (token == "movestogo")
            go.movestogo = value();
        else if (token == "wtime")
            go.wtime = value();
        else if (token == "btime")
            go.btime = value();
        else if (token == "winc")
            go.winc = value();
        else if (token == "binc")
            go.binc = value();
        else if (token == "movetime")
            go.movetime = value();
        else if (token == "depth")
            go.depth = value();
        else if (token == "infinite")
            go.infinite = true;
    }
    if (go.movestogo < 0) go.movestogo = 0;
    return go;
}

int clock_budget(const GoParameters& go, bool black_to_move) {
    // 64-bit so that no figure a GUI can send overflows (movestogo + 2 included).
    std::int64_t own_time = black_to_move ? go.btime : go.wtime;
    std::int64_t own_increment = black_to_move ? go.binc : go.winc;
    std::int64_t movestogo = std::max(go.movestogo, 0);
    std::int64_t t;
    if (movestogo != 0)
        t = own_time / (movestogo + 2) + own_increment / 2;
    else if (own_increment != 0)
        t = own_time / 15 + own_increment / 2;
    else
        t = own_time / 60;
    t = std::min(t, own_time / 5);
    if (t < 1) t = 1;
    return static_cast<int>(t);
}

namespace {

// "go infinite" ends at "stop" alone; otherwise the interface's clock is kept when it sends one
// (a figure of 0 counts as none).
std::int64_t go_deadline(const GoParameters& go, bool black_to_move) {
    if (go.infinite) return 0;
    const std::int64_t own_time = black_to_move ? go.btime : go.wtime;
    std::int64_t deadline = go.movetime > 0 ? deadline_within(go.movetime) : 0;
    if (own_time != 0) {
        const std::int64_t clock_deadline = deadline_within(own_time);
        deadline = deadline ? std::min(deadline, clock_deadline) : clock_deadline;
    }
    return deadline;
}

}  // namespace

SearchRequest choose_search(const GoParameters& go, bool black_to_move) {
    const std::int64_t deadline = go_deadline(go, black_to_move);
    // A depth below one would be an endless search that no "stop" was promised for.
    if (go.depth > 0) return {0, go.depth, false, deadline};
    if (go.infinite) return {INFINITE_BUDGET_MS, 0, false, deadline};
    if (go.movetime > 0) return {go.movetime, 0, true, deadline};
    return {clock_budget(go, black_to_move), 0, true, deadline};
}
