// King safety: both shelters and the attack on each king while queens or many pieces remain
// (ending types 0 and 1); the kings' activity otherwise.
#include <algorithm>

#include "eval/evaluate.h"
#include "eval/king_safety_parts.h"
#include "eval/side_access.h"
#include "eval/terms.h"

namespace {

// How much of C's shelter counts, by C's opponent's pieces: 40 with the full set.
template <Color C>
int shelter_material_factor(const EvalContext& c) {
    constexpr Color THEM = opposite(C);
    const int material = 3 * count_of<THEM, KNIGHT>(c.counts) +
                         3 * count_of<THEM, BISHOP>(c.counts) + 5 * count_of<THEM, ROOK>(c.counts) +
                         18 * count_of<THEM, QUEEN>(c.counts) - 5;
    return 40 * std::max(0, material) / 35;
}

// C's attack on the enemy king: the squares of its zone C attacks, weighted by C's attackers
// plus the enemy shelter's weakness. Stores the raised weight back into the record.
template <Color C>
int attack_score(const Position& p, const EvalContext& c, AttackInfo& a, int enemy_weakness) {
    constexpr Color THEM = opposite(C);
    const int enemy_king = king_square_of<THEM>(c);
    const Bitboard zone = king_attacks[enemy_king];
    const Bitboard ours = map_of<C, ALL_ATTACKS>(a), theirs = map_of<THEM, ALL_ATTACKS>(a);
    const Bitboard queen_support = map_of<C, XRAY>(a) | map_of<C, PAWN>(a) | map_of<C, KNIGHT>(a) |
                                   map_of<C, BISHOP>(a) | map_of<C, ROOK>(a);
    const int squares = popcount(zone & ours) + popcount(zone & ours & ~theirs) +
                        2 * popcount(zone & queen_support & map_of<C, QUEEN>(a) & ~theirs);

    std::int32_t& weight = attack_weight_of<C>(a);
    int score = squares * weight / 4;
    const Bitboard flight =
        zone & ~pieces_of<THEM>(p) & ~ours & ~king_attacks[king_square_of<C>(c)];
    weight += enemy_weakness;
    if (squares > 1 && !flight) weight += 1;
    score += weight * weight / 2;
    return score;
}

}  // namespace

void king_safety(const Position& position, const EvalContext& context, const PawnRecord& record,
                 AttackInfo& attacks, int& flag_word, int& shelter, int& attack,
                 int& king_endgame) {
    shelter = 0;
    attack = 0;
    king_endgame = 0;
    if (context.white_king_square >= 64 || context.black_king_square >= 64) return;
    if (context.ending_type >= ENDING_LIGHT) {
        king_endgame = king_activity(position, context, record, attacks);
        return;
    }

    int white_weakness = 0, black_weakness = 0;
    int white_shelter = king_shelter_score<WHITE>(position, context, attacks, white_weakness);
    int black_shelter = king_shelter_score<BLACK>(position, context, attacks, black_weakness);
    int white_loss = 0, black_loss = 0;
    pawn_storms(position, context, white_loss, black_loss);
    white_shelter -= white_loss;
    black_shelter -= black_loss;
    // Rounded toward minus infinity, unlike every other division of the evaluation.
    shelter = ((shelter_material_factor<WHITE>(context) * white_shelter) >> 5) -
              ((shelter_material_factor<BLACK>(context) * black_shelter) >> 5);

    const int white_attack = attack_score<WHITE>(position, context, attacks, black_weakness);
    const int black_attack = attack_score<BLACK>(position, context, attacks, white_weakness);
    attack = white_attack - black_attack;

    const bool black_to_move = position.flags & BLACK_TO_MOVE;
    if ((!black_to_move && white_attack > 75) || (black_to_move && black_attack > 75))
        flag_word |= STRONG_ATTACK;
}
