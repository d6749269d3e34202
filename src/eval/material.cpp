// The material term: the material sum adjusted for exchanges, the bishop pair, imbalances
// and the light endings where the stronger side cannot or can hardly win.
#include "eval/eval_tables.h"
#include "eval/terms.h"

namespace {

constexpr int CLEAR_WIN = 410;

// The square's bit; empty for a missing king (square 64).
constexpr Bitboard square_bit(int square) {
    return square < 64 ? bit(square) : 0;
}

// Pawnless light ending with a clear material edge: drive the weaker king to the edge.
template <Color Strong>
int pawnless_edge(const EvalContext& context, int value) {
    constexpr int sign = Strong == WHITE ? 1 : -1;
    const PieceCounts& n = context.counts;
    const int knights = Strong == WHITE ? n.white_knight_count : n.black_knight_count;
    if (knights == 2) return 0;
    const Bitboard strong_king = square_bit(king_square_of<Strong>(context));
    const Bitboard weak_king = square_bit(king_square_of<opposite(Strong)>(context));
    if (strong_king & CENTRE_BLOCK)
        value += sign * 10;
    else if (strong_king & EDGE_SQUARES)
        value -= sign * 10;
    if (weak_king & EDGE_SQUARES)
        value += sign * 10;
    else if (weak_king & CENTRE_BLOCK)
        value -= sign * 10;
    return value;
}

}  // namespace

int material_balance(EvalContext& context, int material_sum) {
    const PieceCounts& n = context.counts;
    const int wp = n.white_pawn_count, wn = n.white_knight_count, wb = n.white_bishop_count;
    const int wr = n.white_rook_count, wq = n.white_queen_count, wx = n.white_piece_count;
    const int bp = n.black_pawn_count, bn = n.black_knight_count, bb = n.black_bishop_count;
    const int br = n.black_rook_count, bq = n.black_queen_count, bx = n.black_piece_count;
    int a = material_sum;

    if (wx == bx) {
        if (wr > 0 && bq + br == 0) a += 50;
        if (br > 0 && wq + wr == 0) a -= 50;
    }
    if (wq + bq == 0) {
        if (wb == 2 && bb < 2)
            a += 20;
        else if (bb == 2 && wb < 2)
            a -= 20;
    }
    if (wq == bq) {
        if (wr == br) {
            if (wn + wb + 1 <= bn + bb && wp >= bp + 2) a -= 30;
            if (bn + bb + 1 <= wn + wb && bp >= wp + 2) a += 30;
        }
        if (wn + wb == bn + bb) {
            if (wr + 1 == br && wp >= bp + 3) a -= 30;
            if (br + 1 == wr && bp >= wp + 3) a += 30;
        }
    }

    if (context.total_pieces <= 4 && wx <= 2 && bx <= 2) {
        if (wp == 0 && bx == 0 && wx == 1 && wn + wb == 1) context.white_cannot_win = true;
        if (bp == 0 && wx == 0 && bx == 1 && bn + bb == 1) context.black_cannot_win = true;
        const int pawns = wp + bp;
        if (pawns == 0) {
            if (a > -CLEAR_WIN && a < CLEAR_WIN) return context.total_pieces == 1 ? 0 : a / 8;
            return a >= CLEAR_WIN ? pawnless_edge<WHITE>(context, a)
                                  : pawnless_edge<BLACK>(context, a);
        }
        if (pawns <= 2) {
            if (wp == 0) {
                if (a > 0 && a < (4 - bp) * 100) return a / 8;
            } else if (bp == 0) {
                if (a > (wp - 4) * 100 && a < 0) return a / 8;
            }
        }
    }

    if (wq > 0) a += 5 * wn;
    if (wr > 0) a += 5 * wb;
    if (bq > 0) a -= 5 * bn;
    if (br > 0) a -= 5 * bb;
    return a;
}
