#include "protocol/uci_options.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "eval/eval_weights.h"
#include "protocol/read_number.h"
#include "search/trans_table.h"
#include "shell/protocol_output.h"
#include "shell/split_words.h"
#include "shell/version.h"

namespace {

struct WeightOption {
    const char* name;
    const char* line;
    std::int32_t EvalWeights::*field;
};

constexpr std::array<WeightOption, 12> WEIGHT_OPTIONS = {{
    {"Pawnvalue", "option name Pawnvalue type spin default 100 min 50 max 200",
     &EvalWeights::pawn_value},
    {"Knightvalue", "option name Knightvalue type spin default 310 min 200 max 400",
     &EvalWeights::knight_value},
    {"Bishopvalue", "option name Bishopvalue type spin default 315 min 200 max 400",
     &EvalWeights::bishop_value},
    {"Rookvalue", "option name Rookvalue type spin default 490 min 400 max 600",
     &EvalWeights::rook_value},
    {"Queenvalue", "option name Queenvalue type spin default 900 min 800 max 1100",
     &EvalWeights::queen_value},
    {"King-Attack", "option name King-Attack type spin default 100 min 0 max 200",
     &EvalWeights::king_attack},
    {"King-Shelter", "option name King-Shelter type spin default 100 min 0 max 200",
     &EvalWeights::king_shelter},
    {"King-Endgame", "option name King-Endgame type spin default 100 min 0 max 200",
     &EvalWeights::king_endgame},
    {"Mobility", "option name Mobility type spin default 100 min 0 max 200",
     &EvalWeights::mobility},
    {"Pawn-Structure", "option name Pawn-Structure type spin default 100 min 0 max 200",
     &EvalWeights::pawn_structure},
    {"Pawn-Passers", "option name Pawn-Passers type spin default 100 min 0 max 200",
     &EvalWeights::pawn_passers},
    {"Pieces", "option name Pieces type spin default 100 min 50 max 200", &EvalWeights::pieces},
}};

constexpr const char* HASH_OPTION_LINE = "option name Hash type spin default 1 min 1 max 4096";

}  // namespace

void send_announcement() {
    send_line("");
    send_line_format("id name Orlo %s", ENGINE_VERSION);
    send_line_format("id author %s", ENGINE_AUTHOR);
    send_line(HASH_OPTION_LINE);
    for (const WeightOption& option : WEIGHT_OPTIONS) send_line(option.line);
    send_line("uciok");
}

void apply_setoption(const std::string& line) {
    std::vector<std::string> words = split_words(line, 5);
    if (words.size() < 3) return;
    const std::string& name = words[2];
    int value = words.size() >= 5 ? read_int(words[4]) : 0;
    if (name == "Hash") {
        set_hash_size(value);
        return;
    }
    for (const WeightOption& option : WEIGHT_OPTIONS) {
        if (name == option.name) {
            eval_weights.*option.field = std::clamp(value, -WEIGHT_LIMIT, WEIGHT_LIMIT);
            return;
        }
    }
}
