#include "search/quiesce.h"

#include "board/key_after.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/eval_cache.h"
#include "eval/evaluate.h"
#include "movegen/generate_captures.h"
#include "movegen/generate_evasions.h"
#include "search/ordering.h"
#include "search/search_state.h"
#include "search/table_prefetch.h"
#include "search/trans_table.h"

namespace {
// Moves scored at or below this are never selected (futile moves score QS_FUTILE).
constexpr int QS_SELECT_FLOOR = -2000;
constexpr int QS_HASH_BONUS = 10000;
constexpr int QS_MARGIN = 150;
}  // namespace

int quiesce(Position& position, int alpha, int beta, int level) {
    int best = ply - MATE;
    ++stats.qs_node_count;
    ++stats.visited;
    if (ply > sel_depth) sel_depth = ply;

    PawnRecord pawn_record;
    AttackInfo attacks;
    int passer_flag = 0;
    if (ply >= MAX_PLY)
        return evaluate(position, pawn_record, alpha, beta, passer_flag, 0, attacks);

    const int need = (ply_entries.in_check[ply] || level < 1) ? 1 : 0;
    const QsProbe probe = qs_hash_probe(hash_key, need, alpha, beta);
    if (probe.cutoff) return probe.value;
    alpha = probe.alpha;
    beta = probe.beta;

    const int eval = evaluate_for_search(position, alpha, beta, passer_flag, attacks);

    MoveList moves;
    int count;
    int any_check = 0;
    if (ply_entries.in_check[ply]) {
        // No stand pat in check: every legal evasion is a candidate.
        int extension = 0;
        count = generate_evasions(position, moves, attacks, extension);
        count = legal_filter(position, moves, count);
        if (count == 0) return ply - MATE;
    } else {
        best = eval;
        if (eval >= beta) {
            qs_hash_store(NO_QS_MOVE, hash_key, eval, alpha, beta, need);
            return eval;
        }
        if (eval > alpha) alpha = eval;
        count = generate_captures(position, moves, attacks, level < 1, any_check);
        if (count == 0) {
            qs_hash_store(NO_QS_MOVE, hash_key, eval, alpha, beta, need);
            return eval;
        }
    }

    // The children's entries are on their way while the moves are ordered and searched.
    for (int i = 0; i < count; ++i) {
        const std::uint64_t key = key_after(position, moves[i]);
        prefetch_qs_entry(key);
        prefetch_eval_entry(key);
    }

    const int threshold = alpha - eval - QS_MARGIN;
    ScoreList scores;
    const int max_score = qs_order(position, moves, scores, count, threshold);
    if (probe.move_index != NO_QS_MOVE && probe.move_index < count)
        scores[probe.move_index] += QS_HASH_BONUS;

    // No move can bring the score to within the margin of alpha: give up on the node.
    if (max_score < threshold && !any_check) {
        int value = eval;
        if (ply_entries.in_check[ply] && max_score != QS_FUTILE) value = eval + max_score;
        qs_hash_store(NO_QS_MOVE, hash_key, value, alpha, beta, need);
        return value;
    }

    const SavedBoard saved = save_board(position);
    int best_index = 0;
    for (int pass = 0; pass < count; ++pass) {
        int pick = -1;
        int top = QS_SELECT_FLOOR;
        for (int i = 0; i < count; ++i) {
            if (scores[i] > top) {
                top = scores[i];
                pick = i;
            }
        }
        if (pick < 0) break;
        const int bar = (moves[pick] & CHECK_MARK) ? 0 : threshold;
        if (top < bar) break;
        scores[pick] = QS_FUTILE;

        if (!make_move(position, moves[pick])) {
            restore_board(position, saved);
            continue;
        }
        ++stats.qs_node_count;
        ++ply;
        const int v = -quiesce(position, -beta, -alpha, level + 1);
        --ply;
        restore_board(position, saved);

        if (v > best) best = v;
        if (best >= beta) {
            qs_hash_store(pick, hash_key, best, alpha, beta, need);
            return best;
        }
        if (best > alpha) {
            alpha = v;
            best_index = pick;
        }
    }
    qs_hash_store(best_index, hash_key, best, alpha, beta, need);
    return best;
}
