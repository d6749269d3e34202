// The principal variation read out of the main table.
#include <cstring>

#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "movegen/generate_evasions.h"
#include "movegen/generate_moves.h"
#include "search/count_material.h"
#include "search/trans_table.h"

namespace {
constexpr int MAX_STEPS = 21;
constexpr int TEXT_STEPS = 11;
}  // namespace

void hash_pv_line(const Position& position, char* text) {
    const std::uint64_t saved_key = hash_key, saved_pawn_key = pawn_hash_key;
    Position copy = position;
    int length = 0;
    text[0] = 0;
    for (int step = 0; step < MAX_STEPS && trans_table; ++step) {
        hash_key = compute_hash_key(copy);
        pawn_hash_key = compute_pawn_hash_key(copy);
        count_material(copy);
        const std::uint32_t lock = static_cast<std::uint32_t>(hash_key >> 32);
        TransEntry* bucket =
            trans_table + (static_cast<std::uint32_t>(hash_key) & (main_entries - 1));
        int move_index = -1;
        for (int i = 0; i < 4; ++i) {
            const TransEntry entry = live_entry(bucket[i]);
            if (entry.lock != lock) continue;
            if (move_index < 0) move_index = trans_move_index(entry);
            mark_pv(bucket[i]);
        }
        if (move_index < 0) break;
        if (!copy.white_king || !copy.black_king) break;
        PawnRecord pawn_record;
        AttackInfo attack_info;
        int passer_flag = 0;
        evaluate(copy, pawn_record, -32000, 32000, passer_flag, 0, attack_info);
        MoveList moves;
        int count;
        // Only the side to move can be in check in a position reached by legal moves.
        if (side_to_move_in_check(copy)) {
            int extension = 0;
            count = generate_evasions(copy, moves, attack_info, extension);
            count = legal_filter(copy, moves, count);
        } else {
            count = generate_moves(copy, moves);
        }
        // A stored index from another position sharing the bucket and lock ends the walk.
        if (move_index >= count) break;
        Position next = copy;
        if (!make_move(next, moves[move_index])) break;
        if (step < TEXT_STEPS) {
            move_to_text(copy, moves[move_index], text + length);
            length += static_cast<int>(std::strlen(text + length));
            text[length++] = ' ';
            text[length] = 0;
        }
        copy = next;
    }
    count_material(position);
    hash_key = saved_key;
    pawn_hash_key = saved_pawn_key;
    text[length++] = '.';
    text[length] = 0;
}
