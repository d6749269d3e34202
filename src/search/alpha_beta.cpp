#include "search/alpha_beta.h"

#include "board/key_after.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/eval_cache.h"
#include "eval/evaluate.h"
#include "movegen/generate_evasions.h"
#include "movegen/generate_moves.h"
#include "search/ordering.h"
#include "search/quiesce.h"
#include "search/search_flags.h"
#include "search/search_state.h"
#include "search/table_prefetch.h"
#include "search/trans_table.h"

namespace {

constexpr int HASH_MOVE_SCORE = 1000;
constexpr int HINT_SCORE = 115;
constexpr int PICKED = -32000;

// A child: the full-width search, or the quiescence search once the depth is used up.
inline int search_child(Position& position, int alpha, int beta, int depth, Move& hint) {
    if (depth <= 0) return quiesce(position, alpha, beta, 0);
    const Move hint_in = hint;
    return alpha_beta(position, alpha, beta, depth, hint, hint_in);
}

// The first index of the highest score.
int best_scored(const ScoreList& scores, int count) {
    int pick = 0;
    for (int i = 1; i < count; ++i) {
        if (scores[i] > scores[pick]) pick = i;
    }
    return pick;
}

// Fetches the table entries the child after `move` may probe: the main table's unless the
// child can only be a quiescence search, the quiescence table's if a reduction can take it there.
void prefetch_child(const Position& position, Move move, int depth) {
    const std::uint64_t key = key_after(position, move);
    if (depth > ONE_PLY) prefetch_main_entry(key);
    if (depth <= 3 * ONE_PLY) prefetch_qs_entry(key);
    prefetch_eval_entry(key);
}

}  // namespace

int alpha_beta(Position& position, int alpha, int beta, int depth, Move& best_out, Move hint) {
    if (search_flags.stop_flag) return 0;
    const std::int64_t nodes = stats.node_count + stats.qs_node_count;
    if (nodes >= next_interrupt_check) {
        next_interrupt_check = nodes + INTERRUPT_INTERVAL;
        search_flags.stop_flag = check_interrupt();
        if (search_flags.stop_flag) return 0;
    }

    ++stats.visited;
    const int p = ply;
    PawnRecord pawn_record;
    AttackInfo attacks;
    int passer_flag = 0;
    if (p >= MAX_PLY) return evaluate(position, pawn_record, alpha, beta, passer_flag, 0, attacks);

    const int side = (position.flags & BLACK_TO_MOVE) ? 1 : 0;

    // Repetition: the same side to move stood here 4, 8, 12 ... plies back.
    const std::uint32_t path_key = path_key_of(hash_key);
    path_keys[p + PATH_ROOT] = path_key;
    for (int i = p + PATH_ROOT - 4; i >= 0; i -= 4) {
        if (path_keys[i] == path_key) return side == root_side ? draw_value : -draw_value;
    }

    const HashProbe probe = hash_probe(hash_key, depth, alpha, beta);
    if (probe.cutoff) return probe.value;
    if (probe.pv_mark) ++stats.pv_hits;
    const int alpha0 = probe.alpha;
    const int beta0 = probe.beta;

    // A null move may follow the evaluation: its child's entry comes in the meantime.
    if (!ply_entries.in_check[p] && !probe.pv_mark) {
        if (depth > 4 * ONE_PLY)
            prefetch_main_entry(hash_key ^ SIDE_KEY);
        else
            prefetch_qs_entry(hash_key ^ SIDE_KEY);
    }
    const SavedBoard saved = save_board(position);
    const int eval = evaluate_for_search(position, alpha0, beta0, passer_flag, attacks);
    ++stats.node_count;
    ply_marks.null_mark[p] = 0;

    // Null move: let the opponent move twice; if that still fails high, so will a real move.
    bool mate_threat = false;
    const int own_pieces = side ? piece_counts.black_piece_count : piece_counts.white_piece_count;
    if (!ply_entries.in_check[p] && !probe.pv_mark && !(p > 0 && ply_marks.null_mark[p - 1]) &&
        eval >= beta0 && own_pieces > 0) {
        ++stats.null_tries;
        ply_entries.captured_value[p] = 0;
        ply_entries.capture_square[p] = -1;
        ply_entries.pawn_push[p] = 0;
        ply_marks.check_extended[p] = 0;
        ply_marks.null_mark[p] = 1;
        // The en-passant target goes too: left in place it would let the side to move take
        // "en passant" a pawn that is not there.
        const Bitboard ep_square = position.ep_square;
        position.ep_square = 0;
        position.flags ^= BLACK_TO_MOVE;
        hash_key ^= SIDE_KEY;
        ply = p + 1;
        ply_entries.in_check[p + 1] = 0;
        const int null_depth = depth >= 6 * ONE_PLY ? depth - 5 * ONE_PLY : depth - 4 * ONE_PLY;
        int v;
        if (null_depth <= 0) {
            v = -quiesce(position, -beta0, 1 - beta0, 0);
        } else {
            Move scratch = 0;
            v = -alpha_beta(position, -beta0, 1 - beta0, null_depth, scratch, 0);
        }
        ply = p;
        position.flags ^= BLACK_TO_MOVE;
        position.ep_square = ep_square;
        hash_key ^= SIDE_KEY;
        ply_marks.null_mark[p] = 0;
        if (v >= beta0) {
            ++stats.null_cutoffs;
            return v;
        }
        if (v < -31990) mate_threat = true;
    }
    ply_marks.null_mark[p] = 0;

    MoveList moves;
    int count;
    int node_extension = 0;
    if (ply_entries.in_check[p]) {
        count = generate_evasions(position, moves, attacks, node_extension);
        count = legal_filter(position, moves, count);
    } else {
        count = generate_moves(position, moves);
    }
    if (count == 1) {
        node_extension = ONE_PLY;
        ++stats.single_reply_extensions;
    }
    if (mate_threat) {
        node_extension = ONE_PLY;
        ++stats.mate_threat_extensions;
    }
    if (p > 0 && ply_marks.check_extended[p - 1]) node_extension = 0;
    const int called_depth = depth;
    depth += node_extension;
    // The hash move is most often searched first: its child's entries come during ordering.
    if (probe.move_index >= 0 && probe.move_index < count)
        prefetch_child(position, moves[probe.move_index], depth);

    ScoreList scores;
    order_moves(position, moves, scores, count, attacks);

    // Internal iterative deepening: a shallower search supplies a first move to try.
    if (probe.move_index < 0 && called_depth > 2 * ONE_PLY) {
        Move iid_move = 0;
        alpha_beta(position, alpha0, beta0, called_depth - 2 * ONE_PLY, iid_move, 0);
        for (int i = 0; i < count; ++i) {
            if (moves[i] == iid_move) {
                scores[i] = HASH_MOVE_SCORE;
                break;
            }
        }
    }
    if (hint) {
        for (int i = 0; i < count; ++i) {
            if (moves[i] == hint) {
                scores[i] = HINT_SCORE;
                break;
            }
        }
    }
    if (probe.move_index >= 0 && probe.move_index < count)
        scores[probe.move_index] = HASH_MOVE_SCORE;

    int best = p - MATE;
    int best_index = 0;
    int running_alpha = alpha0;
    int legal = 0;
    int searched = 0;
    Move next_hint = 0;
    int next = best_scored(scores, count);
    if (count > 0) prefetch_child(position, moves[next], depth);
    for (int pass = 0; pass < count; ++pass) {
        const int pick = next;
        const int score = scores[pick];
        scores[pick] = PICKED;
        // The scores stay as they are from here on, so the next pick is known now and its
        // child's entries come while this move is searched.
        if (pass + 1 < count) {
            next = best_scored(scores, count);
            prefetch_child(position, moves[next], depth);
        }

        if (!make_move(position, moves[pick])) {
            restore_board(position, saved);
            continue;
        }
        ply = p + 1;
        ++legal;

        const bool gives_check = ply_entries.in_check[p + 1] != 0;
        int extension = 0;
        if (gives_check) {
            // Extend checks that do not simply lose the checking piece.
            const int to = move_to(moves[pick]);
            const int gain = 100 * ply_entries.captured_value[p] -
                             see_gain(position, side_to_move(position), square_value(position, to),
                                      attackers_to(position, to), to);
            if (gain >= 0) {
                extension = ONE_PLY;
                ply_marks.check_extended[p] = 1;
                ++stats.check_extensions;
            } else {
                ply_marks.check_extended[p] = 0;
            }
        } else {
            ply_marks.check_extended[p] = 0;
            // Futility: a quiet move near the leaves cannot lift a hopeless score to alpha.
            if (depth < 3 * ONE_PLY && !probe.pv_mark && !ply_entries.in_check[p] &&
                ply_entries.captured_value[p] == 0 &&
                eval + 100 * (depth / ONE_PLY + 1) < running_alpha &&
                ply_entries.pawn_push[p] == 0 && passer_flag == 0) {
                restore_board(position, saved);
                ply = p;
                continue;
            }
        }

        int reduction = 0;
        if (pass > 0 && ply_entries.captured_value[p] == 0 && depth > ONE_PLY &&
            !ply_entries.in_check[p] && ply_entries.pawn_push[p] == 0 && !probe.pv_mark &&
            !gives_check && passer_flag == 0)
            reduction = score > 0 ? ONE_PLY : 2 * ONE_PLY;

        const int child_depth = depth + extension - ONE_PLY;
        int v;
        if (pass == 0) {
            v = -search_child(position, -beta0, -running_alpha, child_depth, next_hint);
        } else {
            v = -search_child(position, -running_alpha - 1, -running_alpha, child_depth - reduction,
                              next_hint);
            if (v > running_alpha)
                v = -search_child(position, -beta0, -running_alpha, child_depth, next_hint);
        }
        ++searched;
        restore_board(position, saved);
        ply = p;
        // A stopped search's values mean nothing: the other moves are not searched.
        if (search_flags.stop_flag) return 0;

        if (v > best) {
            best = v;
            best_index = pick;
        }
        if (best >= beta0) {
            ++stats.beta_cutoffs;
            if (legal == 1) ++stats.first_move_cutoffs;
            break;
        }
        if (best > running_alpha) running_alpha = v;
    }

    if (legal == 0) return ply_entries.in_check[p] ? p - MATE : 0;
    // Every legal move was pruned as futile: a fail low, not a mate.
    if (searched == 0) best = alpha0;

    best_out = moves[best_index];
    if (!search_flags.stop_flag)
        hash_store(best_index, hash_key, best, alpha0, beta0, called_depth);
    if (best > alpha0 && depth > ONE_PLY)
        add_history(side ? BLACK : WHITE, moves[best_index], depth);
    return best;
}
