// Passivity: pawns attacked by the enemy and not defended by a friendly pawn.
#include "eval/terms.h"

int passivity_term(const Position& position, const AttackInfo& attacks) {
    const int weak_black =
        popcount(position.black_pawns & attacks.white_all_attacks & ~attacks.black_pawn_attacks);
    const int weak_white =
        popcount(position.white_pawns & attacks.black_all_attacks & ~attacks.white_pawn_attacks);
    return 5 * (weak_black - weak_white);
}
