// The twelve evaluation weights the interface can set: five piece values in centipawns and
// seven percentages applied to single terms.
#pragma once

#include <cstdint>

struct EvalWeights {
    std::int32_t pawn_value;
    std::int32_t knight_value;
    std::int32_t bishop_value;
    std::int32_t rook_value;
    std::int32_t queen_value;
    std::int32_t king_attack;     // percent
    std::int32_t king_shelter;    // percent
    std::int32_t king_endgame;    // percent
    std::int32_t mobility;        // percent
    std::int32_t pawn_structure;  // percent, pawns and pawns base terms
    std::int32_t pawn_passers;    // percent
    std::int32_t pieces;          // percent, pieces and piece-pawn terms
};

constexpr EvalWeights DEFAULT_EVAL_WEIGHTS = {100, 310, 315, 490, 900, 100,
                                              100, 100, 100, 100, 100, 100};

extern EvalWeights eval_weights;

// A raw term scaled by a percentage, truncating toward zero.
constexpr int weighted(int term, int percent) {
    return term * percent / 100;
}
