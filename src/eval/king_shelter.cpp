// The shelter of each king and the pawn storms against it with the kings on opposite wings.
#include <algorithm>

#include "eval/eval_tables.h"
#include "eval/king_safety_parts.h"
#include "eval/side_access.h"

namespace {

// The start squares and, file by file, the squares after them stepping north (or south) up
// to, not including, the first that holds a pawn of either colour: a fill through the
// pawnless squares.
template <bool North>
Bitboard open_lines(Bitboard starts, Bitboard pawns) {
    const auto step = [](Bitboard b, int ranks) {
        return North ? b << (8 * ranks) : b >> (8 * ranks);
    };
    Bitboard free = ~pawns;
    Bitboard lines = starts;
    lines |= free & step(lines, 1);
    free &= step(free, 1);
    lines |= free & step(lines, 2);
    free &= step(free, 2);
    lines |= free & step(lines, 4);
    return lines;
}

// C's pawns' storm over `files`: per file with C's pawns, how far its most advanced one came.
template <Color C>
int storm(Bitboard pawns, Bitboard files) {
    int sum = 0;
    for (int file = 0; file < 8; ++file) {
        Bitboard on_file = pawns & files & file_mask(file);
        if (!on_file) continue;
        int most_advanced = C == WHITE ? 63 - std::countl_zero(on_file) : lowest_square(on_file);
        sum += relative_rank_of<C>(most_advanced);
    }
    return sum;
}

constexpr Bitboard QUEEN_WING = file_mask(0) | file_mask(1) | file_mask(2);
constexpr Bitboard KING_WING = file_mask(5) | file_mask(6) | file_mask(7);

// What C's shelter loses to the opponent's storm on the wing of C's king.
template <Color C>
int storm_loss(const Position& p, int king_square, Bitboard wing) {
    constexpr Color THEM = opposite(C);
    const Bitboard enemy_pawns = board_of<THEM, PAWN>(p);
    const Bitboard open_row = shelter_row[king_square] & ~fill_files(enemy_pawns);
    return 4 * storm<THEM>(enemy_pawns, wing) + 10 * popcount(open_row);
}

}  // namespace

template <Color C>
int king_shelter_score(const Position& p, const EvalContext& c, const AttackInfo& a,
                       int& weakness) {
    constexpr Color THEM = opposite(C);
    const int k = king_square_of<C>(c);
    const Bitboard own_units = pieces_of<C>(p);
    const Bitboard own_pawns = board_of<C, PAWN>(p);
    const Bitboard enemy_attacks = map_of<THEM, ALL_ATTACKS>(a);
    const Bitboard all_pawns = p.white_pawns | p.black_pawns;
    weakness = 0;
    int score = 0;

    const Bitboard short_path = bit(relative_square<C>(sq::F1)) | bit(relative_square<C>(sq::G1));
    const Bitboard long_path = bit(relative_square<C>(sq::B1)) | bit(relative_square<C>(sq::C1));
    if ((may_castle_short<C>(p) && !(short_path & (own_units | enemy_attacks))) ||
        (may_castle_long<C>(p) && !(long_path & (own_units | enemy_attacks))))
        score += 10;

    // Open lines in front of and behind the king.
    constexpr int FORWARD = C == WHITE ? 8 : -8;
    const Bitboard ahead = open_lines<C == WHITE>(shelter_row[k] & ~own_pawns, all_pawns);
    int collected = popcount(ahead);
    int enemy_units = popcount(ahead & pieces_of<THEM>(p));
    const int rank = relative_rank_of<C>(k);
    if (rank > 0) {
        const Bitboard behind = open_lines<C != WHITE>(shelter_row[k - FORWARD], all_pawns);
        collected += popcount(behind);
        enemy_units += popcount(behind & pieces_of<THEM>(p));
    }
    if (collected > 9) weakness = 1;
    score += 2 * (3 - collected) - 5 * enemy_units;

    if (rank >= 2) {
        int penalty = 50 * std::min(rank - 1, 3);
        const Bitboard king_rank = rank_mask(rank_of(k));
        const Bitboard near = king_attacks[k] & (king_rank | shift_forward<C>(king_rank));
        if (near & own_pawns) penalty /= 2;
        score -= penalty;
        weakness = 1;
    }

    // A king on a wing: the knight's-file pawn, the bishop's pawn and the fianchetto square.
    const int file = file_of(k);
    if (file >= 5 || file <= 2) {
        const bool king_side = file >= 5;
        const int knight_file = king_side ? 6 : 1;
        const int bishop_file = king_side ? 5 : 2;
        const int rook_file = king_side ? 7 : 0;
        if (!(own_pawns & file_mask(knight_file))) {
            score -= 20;
            weakness = 1;
        }
        if (!(own_pawns & bit(relative_square<C>(8 + bishop_file)))) score -= 5;
        const Bitboard fianchetto = bit(relative_square<C>(8 + knight_file));
        if (!(fianchetto & (own_pawns | board_of<C, BISHOP>(p) | map_of<C, BISHOP>(a))))
            score -= 10;
        const Bitboard corner =
            bit(relative_square<C>(knight_file)) | bit(relative_square<C>(rook_file));
        const Bitboard near_corner = bit(relative_square<C>(bishop_file)) |
                                     bit(relative_square<C>(8 + knight_file)) |
                                     bit(relative_square<C>(8 + rook_file));
        if (corner & bit(k))
            score += 16;
        else if (near_corner & bit(k))
            score += 8;
    }

    const Bitboard cover = own_pawns & shelter_files[k];
    score += 2 * popcount(cover & relative_rank<C>(1)) + popcount(cover & relative_rank<C>(2));
    if (!cover) {
        score -= 10;
        weakness = 2;
    }
    return score;
}

template int king_shelter_score<WHITE>(const Position&, const EvalContext&, const AttackInfo&,
                                       int&);
template int king_shelter_score<BLACK>(const Position&, const EvalContext&, const AttackInfo&,
                                       int&);

void pawn_storms(const Position& p, const EvalContext& c, int& white_loss, int& black_loss) {
    white_loss = 0;
    black_loss = 0;
    const int white_file = file_of(c.white_king_square);
    const int black_file = file_of(c.black_king_square);
    const bool white_king_side = white_file >= 5, white_queen_side = white_file <= 2;
    const bool black_king_side = black_file >= 5, black_queen_side = black_file <= 2;
    if (!((white_king_side && black_queen_side) || (white_queen_side && black_king_side))) return;
    const Bitboard white_wing = white_king_side ? KING_WING : QUEEN_WING;
    const Bitboard black_wing = black_king_side ? KING_WING : QUEEN_WING;
    white_loss = storm_loss<WHITE>(p, c.white_king_square, white_wing);
    black_loss = storm_loss<BLACK>(p, c.black_king_square, black_wing);
}
