#include "search/root_search.h"

#include <cstdio>
#include <cstdlib>

#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "movegen/generate_moves.h"
#include "search/alpha_beta.h"
#include "search/count_material.h"
#include "search/ordering.h"
#include "search/search_flags.h"
#include "search/search_state.h"
#include "search/trans_table.h"
#include "shell/clock.h"
#include "shell/protocol_output.h"

MoveList root_moves;
std::array<std::int32_t, MAX_MOVES> root_move_index{};
int root_count = 0;
Position root_position{};
int root_list_valid = 0;

namespace {

constexpr int EASY_DEPTH = 6 * ONE_PLY;
constexpr int EASY_MARGIN = 150;

int root_improved = 0;
// Alpha-beta nodes spent below each root move in the current call.
std::array<std::int64_t, MAX_MOVES> move_nodes{};

void swap_root(int i, int j) {
    std::swap(root_moves[i], root_moves[j]);
    std::swap(root_move_index[i], root_move_index[j]);
    std::swap(move_nodes[i], move_nodes[j]);
}

void build_root_list(Position& position) {
    const SavedBoard saved = save_board(position);
    MoveList moves;
    const int count = generate_moves(position, moves);
    root_count = 0;
    for (int i = 0; i < count; ++i) {
        if (make_move(position, moves[i])) {
            root_moves[root_count] = moves[i];
            root_move_index[root_count] = i;
            ++root_count;
        }
        restore_board(position, saved);
    }
    root_position = position;
    root_list_valid = 1;
    root_order(position);
}

void send_bound_line(int depth, int value, const char* bound, Move move, const Position& position) {
    char score[32];
    char text[8];
    uci_score_text(value, score, sizeof score);
    move_to_text(position, move, text);
    send_line_format("info depth %i score %s %s pv %s", depth / ONE_PLY, score, bound, text);
}

}  // namespace

void reset_root_moves() {
    root_count = 0;
    root_list_valid = 0;
    root_position = Position{};
}

void uci_score_text(int value, char* text, int size) {
    if (std::abs(value) <= 30000) {
        std::snprintf(text, size, "cp %i", value);
    } else {
        const int moves = (32001 - std::abs(value)) / 2;
        std::snprintf(text, size, value > 0 ? "mate %i" : "mate -%i", moves);
    }
}

void root_order(const Position& position) {
    // The attack maps ordering reads, exactly as the evaluation leaves them. Only the maps
    // are wanted: the call is not one of the search's evaluations, so the counters that the
    // end-of-search statistics print are left as they were.
    PawnRecord pawn_record;
    AttackInfo attacks;
    int passer_flag = 0;
    const std::uint64_t evals = eval_count;
    const std::uint64_t lazy_evals = lazy_eval_count;
    evaluate(position, pawn_record, -MATE, MATE, passer_flag, 0, attacks);
    eval_count = evals;
    lazy_eval_count = lazy_evals;
    ScoreList scores;
    order_moves(position, root_moves, scores, root_count, attacks);
    // Stable bubble sort, best first: equal scores keep generation order.
    for (int pass = 0; pass < root_count; ++pass) {
        bool swapped = false;
        for (int k = 0; k + 1 < root_count - pass; ++k) {
            if (scores[k + 1] > scores[k]) {
                std::swap(scores[k], scores[k + 1]);
                std::swap(root_moves[k], root_moves[k + 1]);
                std::swap(root_move_index[k], root_move_index[k + 1]);
                swapped = true;
            }
        }
        if (!swapped) break;
    }
}

int root_search(Position& position, int alpha, int beta, int depth, Move& best_out, int& easy_out) {
    ++stats.node_count;
    ++stats.visited;
    int best = ply - MATE;
    root_improved = 0;
    hash_key = compute_hash_key(position);
    pawn_hash_key = compute_pawn_hash_key(position);

    if (!position.white_king || !position.black_king) {
        const bool white_to_move = !(position.flags & BLACK_TO_MOVE);
        const bool mover_has_no_king = white_to_move ? !position.white_king : !position.black_king;
        return mover_has_no_king ? ply - MATE : MATE - ply;
    }

    count_material(position);
    const SavedBoard saved = save_board(position);

    if (!root_list_valid || position != root_position) build_root_list(position);
    const bool uci = protocol_mode == UCI_MODE;

    for (int i = 0; i < root_count; ++i) move_nodes[i] = 0;
    path_keys[PATH_ROOT] = path_key_of(hash_key);

    const int alpha_in = alpha;
    int best_index = 0;
    for (int i = 0; i < root_count; ++i) {
        if (search_flags.stop_flag) return root_improved ? best : 0;
        if (i > 5 && clock_ms() - search_start_ms > time_budget) break;
        char text[8];
        if (uci && depth > EASY_DEPTH) {
            move_to_text(position, root_moves[i], text);
            send_line_format("info currmove %s currmovenumber %i", text, i + 1);
        }

        make_move(position, root_moves[i]);
        move_nodes[i] = -stats.node_count;
        ply = 1;
        Move reply = 0;
        const int v = -alpha_beta(position, -beta, -alpha, depth - ONE_PLY, reply, 0);
        ply = 0;
        move_nodes[i] += stats.node_count;
        restore_board(position, saved);

        if (v > best && !search_flags.stop_flag) {
            best = v;
            best_index = i;
            best_out = root_moves[i];
            if (uci && i > 0 && v > alpha_in)
                send_bound_line(depth, v, "lowerbound", root_moves[i], position);
        }
        if (best >= beta) break;
        if (best > alpha) {
            root_improved = 1;
            alpha = v;
        }
    }
    if (root_count == 0) return best;
    best_out = root_moves[best_index];

    // The new best move goes to the front; the moves before it shift back one place.
    if (best_index > 0 && best > alpha_in) {
        for (int k = best_index; k > 0; --k) swap_root(k, k - 1);
    }
    // The others by effort: a move that took more than three times the nodes of the move
    // ahead of it is probably the stronger alternative.
    for (int repeat = 0; repeat < root_count; ++repeat) {
        for (int k = 1; k + 1 < root_count; ++k) {
            if (move_nodes[k + 1] > 3 * move_nodes[k]) swap_root(k, k + 1);
        }
    }

    // Easy move: a capture or check evasion at 6 plies that beats every alternative by 150.
    easy_out = 0;
    if (depth == EASY_DEPTH && easy_move_enabled) {
        const bool captures = (occupancy(position) & bit(move_to(root_moves[0]))) != 0;
        if (captures || side_to_move_in_check(position)) {
            easy_out = 1;
            for (int j = 1; j < root_count && easy_out; ++j) {
                make_move(position, root_moves[j]);
                ply = 1;
                Move reply = 0;
                const int v = -alpha_beta(position, EASY_MARGIN - 1 - best, EASY_MARGIN - best,
                                          5 * ONE_PLY, reply, 0);
                ply = 0;
                restore_board(position, saved);
                if (v > best - EASY_MARGIN) easy_out = 0;
            }
        }
    }

    if (!search_flags.stop_flag)
        hash_store(root_move_index[0], hash_key, best, alpha_in, beta, depth);
    if (uci && best <= alpha_in)
        send_bound_line(depth, best, "upperbound", root_moves[0], position);
    if (root_count == 1) search_flags.stop_flag = 1;
    return best;
}
