#include "eval/eval_cache.h"

#include <cstring>

#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "shell/large_pages.h"

namespace {

// One cache line. `check` is the hash key mixed with the castling rights (which the key
// leaves out and the evaluation reads); the maps are those of the side not to move.
struct alignas(64) EvalEntry {
    std::uint64_t check;
    Bitboard knight_map;
    Bitboard bishop_map;
    Bitboard rook_map;
    Bitboard all_attacks;
    Bitboard checkers;
    std::int32_t values[3];
    std::uint16_t generation;
    std::uint8_t reached;  // low bits: stages known; LAZY_BIT: the path has lazy exits
    std::uint8_t passer_flag;
};
static_assert(sizeof(EvalEntry) == 64);

constexpr std::uint8_t LAZY_BIT = 0x80;
constexpr std::uint32_t ENTRIES = 1u << 17;
constexpr std::uint16_t LAST_GENERATION = 0xFFFF;

EvalEntry* cache = nullptr;
// 0 before the first clear; an entry of another generation is empty.
std::uint16_t generation = 0;

std::uint64_t check_of(const Position& position, std::uint64_t key) {
    const std::uint64_t castling = position.flags & (WS | WL | BS | BL);
    return key ^ (castling * 0x9E3779B97F4A7C15ULL);
}

EvalEntry& entry_of(std::uint64_t key) {
    return cache[static_cast<std::uint32_t>(key) & (ENTRIES - 1)];
}

// The result the recorded stages give for the window, or false when the evaluation would
// have gone further than they reach.
bool replay(const EvalEntry& e, int alpha, int beta, int& value) {
    const int reached = e.reached & ~LAZY_BIT;
    if (e.reached & LAZY_BIT) {
        for (int stage = 0; stage < 2; ++stage) {
            if (stage >= reached) return false;
            if (outside_lazy_window(e.values[stage], alpha, beta)) {
                ++lazy_eval_count;
                value = e.values[stage];
                return true;
            }
        }
    }
    if (reached < 3) return false;
    value = e.values[2];
    return true;
}

template <Color C>
void fill_maps(const Position& position, const EvalEntry& e, AttackInfo& a) {
    a = AttackInfo{};
    map_of<C, PAWN>(a) = pawn_attacks<C>(board_of<C, PAWN>(position));
    map_of<C, KING>(a) = king_attacks[lowest_square(board_of<C, KING>(position))];
    map_of<C, KNIGHT>(a) = e.knight_map;
    map_of<C, BISHOP>(a) = e.bishop_map;
    map_of<C, ROOK>(a) = e.rook_map;
    map_of<C, ALL_ATTACKS>(a) = e.all_attacks;
    map_of<C, CHECKERS>(a) = e.checkers;
}

template <Color C>
void keep_maps(const AttackInfo& a, EvalEntry& e) {
    e.knight_map = map_of<C, KNIGHT>(a);
    e.bishop_map = map_of<C, BISHOP>(a);
    e.rook_map = map_of<C, ROOK>(a);
    e.all_attacks = map_of<C, ALL_ATTACKS>(a);
    e.checkers = map_of<C, CHECKERS>(a);
}

}  // namespace

void init_eval_cache() {
    if (cache) return;
    cache = static_cast<EvalEntry*>(allocate_large(std::size_t{ENTRIES} * sizeof(EvalEntry)));
    generation = 0;
    clear_eval_cache();
}

void clear_eval_cache() {
    if (!cache) return;
    if (generation == 0 || generation == LAST_GENERATION) {
        std::memset(static_cast<void*>(cache), 0, std::size_t{ENTRIES} * sizeof(EvalEntry));
        generation = 1;
    } else {
        ++generation;
    }
}

void prefetch_eval_entry(std::uint64_t key) {
    if (cache) __builtin_prefetch(&entry_of(key));
}

int evaluate_for_search(const Position& position, int alpha, int beta, int& passer_flag_out,
                        AttackInfo& attack_info) {
    const bool black = position.flags & BLACK_TO_MOVE;
    EvalStages stages;
    if (!cache)
        return evaluate_recording(position, alpha, beta, passer_flag_out, attack_info, stages);

    EvalEntry& e = entry_of(hash_key);
    const std::uint64_t check = check_of(position, hash_key);
    int value;
    if (e.check == check && e.generation == generation) {
        if (replay(e, alpha, beta, value)) {
            ++eval_count;
            passer_flag_out = e.passer_flag;
            if (black)
                fill_maps<WHITE>(position, e, attack_info);
            else
                fill_maps<BLACK>(position, e, attack_info);
            return value;
        }
    }

    value = evaluate_recording(position, alpha, beta, passer_flag_out, attack_info, stages);
    e.check = check;
    e.generation = generation;
    for (int i = 0; i < 3; ++i) e.values[i] = stages.values[i];
    e.reached = static_cast<std::uint8_t>(stages.reached | (stages.lazy_exits ? LAZY_BIT : 0));
    e.passer_flag = static_cast<std::uint8_t>(passer_flag_out);
    if (black)
        keep_maps<WHITE>(attack_info, e);
    else
        keep_maps<BLACK>(attack_info, e);
    return value;
}
