// The evaluation driver: material, the cached pawn record, the terms in their fixed order
// with their weights, lazy exits against the caller's window, the ending paths and the
// draw clamps.
#include "eval/evaluate.h"

#include <algorithm>

#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/eval_context.h"
#include "eval/eval_report.h"
#include "eval/eval_weights.h"
#include "eval/pawn_table.h"
#include "eval/terms.h"

std::uint64_t eval_count = 0;
std::uint64_t lazy_eval_count = 0;

namespace {

constexpr int SIDE_TO_MOVE_BONUS = 5;

EvalContext context;

int material_sum(const PieceCounts& n, const EvalWeights& w) {
    return (n.white_pawn_count - n.black_pawn_count) * w.pawn_value +
           (n.white_knight_count - n.black_knight_count) * w.knight_value +
           (n.white_bishop_count - n.black_bishop_count) * w.bishop_value +
           (n.white_rook_count - n.black_rook_count) * w.rook_value +
           (n.white_queen_count - n.black_queen_count) * w.queen_value;
}

// A lone minor piece without pawns never scores in its own favour.
int apply_draw_clamps(int score) {
    if (context.white_cannot_win) score = std::min(score, 0);
    if (context.black_cannot_win) score = std::max(score, 0);
    return score;
}

// A passed pawn of side C on its seventh rank with the promotion square empty.
template <Color C>
bool passer_on_seventh(const Position& position, const PawnRecord& record) {
    const Bitboard pawns = record.passed & board_of<C, PAWN>(position) & relative_rank<C>(6);
    return (shift_forward<C>(pawns) & context.empty) != 0;
}

// The three king-safety results with their weights.
int weighted_king_safety(const Position& position, const PawnRecord& record,
                         AttackInfo& attack_info, int& flag_word, EvalReport& terms) {
    king_safety(position, context, record, attack_info, flag_word, terms.king_shelter,
                terms.king_attack, terms.king_endgame);
    const EvalWeights& w = eval_weights;
    return weighted(terms.king_attack, w.king_attack) +
           weighted(terms.king_shelter, w.king_shelter) +
           weighted(terms.king_endgame, w.king_endgame);
}

// The evaluation; `stages`, when given, receives the values it reached.
int evaluate_in_stages(const Position& position, PawnRecord& pawn_record_out, int alpha, int beta,
                       int& passer_flag_out, int report, AttackInfo& attack_info,
                       EvalStages* stages) {
    const bool white_to_move = !(position.flags & BLACK_TO_MOVE);
    const EvalWeights& w = eval_weights;
    EvalReport terms{};
    if (report) print_eval_heading(position);
    ++eval_count;
    passer_flag_out = 0;

    const int sum = material_sum(piece_counts, w);
    const PawnRecord& record = probe_pawn_table(position, pawn_hash_key);
    pawn_record_out = record;
    fill_eval_context(position, context);
    terms.material = material_balance(context, sum);

    attack_info = AttackInfo{};
    terms.mobility = mobility_term(position, context, attack_info);
    terms.pawns_base = record.base;
    terms.passers = passers_term(position, context, record, attack_info);
    terms.pawns = pawns_term(position, record, context);

    int score = terms.material + weighted(terms.mobility, w.mobility) +
                weighted(terms.pawns, w.pawn_structure) + weighted(terms.passers, w.pawn_passers) +
                weighted(terms.pawns_base, w.pawn_structure);

    const PieceCounts& n = context.counts;
    switch (context.ending_type) {
        case ENDING_QUEENS:
            terms.endgame = queen_ending(position, context, record);
            score += terms.endgame;
            break;
        case ENDING_ROOKS:
            if (context.total_pawns == 1 && n.white_rook_count == 1 && n.black_rook_count == 1) {
                terms.endgame = rook_pawn_ending(position, context);
                score = terms.endgame;
            } else {
                const int king =
                    weighted_king_safety(position, record, attack_info, passer_flag_out, terms);
                terms.pieces = rook_on_seventh(position, context);
                score += terms.pieces + king;
            }
            break;
        case ENDING_PAWNS:
            terms.endgame = pawn_ending(position, context, record);
            score = context.total_pawns == 1 ? terms.endgame : score + terms.endgame;
            break;
        default: {
            terms.passivity = passivity_term(position, attack_info);
            score += context.passivity_scale * terms.passivity / 16;
            score += weighted_king_safety(position, record, attack_info, passer_flag_out, terms);
            score = apply_draw_clamps(score);
            if (white_to_move ? passer_on_seventh<WHITE>(position, record)
                              : passer_on_seventh<BLACK>(position, record))
                passer_flag_out |= PASSER_ON_SEVENTH;

            int value = white_to_move ? score : -score;
            if (stages) {
                stages->lazy_exits = true;
                stages->values[0] = value;
                stages->reached = 1;
            }
            if (outside_lazy_window(value, alpha, beta)) {
                ++lazy_eval_count;
                return value;
            }
            terms.pieces = pieces_term(position, context, record, attack_info);
            score += weighted(terms.pieces, w.pieces);
            // The early value gets the draw clamps as the first one did, so a lone minor
            // piece never scores for itself; the running score goes on unclamped.
            value = white_to_move ? apply_draw_clamps(score) : -apply_draw_clamps(score);
            if (stages) {
                stages->values[1] = value;
                stages->reached = 2;
            }
            if (outside_lazy_window(value, alpha, beta)) {
                ++lazy_eval_count;
                return value;
            }
            terms.piece_pawn = piece_pawn_term(position, context, record);
            score += weighted(terms.piece_pawn, w.pieces);
            break;
        }
    }

    score += white_to_move ? SIDE_TO_MOVE_BONUS : -SIDE_TO_MOVE_BONUS;
    if (context.ending_type == ENDING_OPPOSITE_BISHOPS) score /= 2;
    score = apply_draw_clamps(score);
    if (report) {
        terms.total = score;
        print_eval_report(terms);
    }
    const int value = white_to_move ? score : -score;
    if (stages) {
        stages->values[2] = value;
        stages->reached = 3;
    }
    return value;
}

}  // namespace

int evaluate(const Position& position, PawnRecord& pawn_record_out, int alpha, int beta,
             int& passer_flag_out, int report, AttackInfo& attack_info) {
    return evaluate_in_stages(position, pawn_record_out, alpha, beta, passer_flag_out, report,
                              attack_info, nullptr);
}

int evaluate_recording(const Position& position, int alpha, int beta, int& passer_flag_out,
                       AttackInfo& attack_info, EvalStages& stages) {
    PawnRecord pawn_record;
    stages = EvalStages{};
    return evaluate_in_stages(position, pawn_record, alpha, beta, passer_flag_out, 0, attack_info,
                              &stages);
}
