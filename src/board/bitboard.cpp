// Fills the attack tables: empty-board tables, direction codes, masks and magic tables.
#include "board/bitboard.h"

#include <vector>

std::array<Bitboard, 65> knight_attacks{};
std::array<Bitboard, 65> king_attacks{};
std::array<Bitboard, 65> bishop_rays{};
std::array<Bitboard, 65> rook_rays{};
std::array<std::array<std::int32_t, 64>, 64> direction_table{};
std::array<Bitboard, 64> rook_mask{};
std::array<Bitboard, 64> bishop_mask{};
std::array<Bitboard*, 64> rook_attack_table{};
std::array<Bitboard*, 64> bishop_attack_table{};

// By square a1..h8.
const std::array<std::uint64_t, 64> rook_magic = {
    0x0080001020400080ULL, 0x0040001000200040ULL, 0x0080081000200080ULL, 0x0080040800100080ULL,
    0x0080020400080080ULL, 0x0080010200040080ULL, 0x0080008001000200ULL, 0x0080002040800100ULL,
    0x0000800020400080ULL, 0x0000400020005000ULL, 0x0000801000200080ULL, 0x0000800800100080ULL,
    0x0000800400080080ULL, 0x0000800200040080ULL, 0x0000800100020080ULL, 0x0000800040800100ULL,
    0x0000208000400080ULL, 0x0000404000201000ULL, 0x0000808010002000ULL, 0x0000808008001000ULL,
    0x0000808004000800ULL, 0x0000808002000400ULL, 0x0000010100020004ULL, 0x0000020000408104ULL,
    0x0000208080004000ULL, 0x0000200040005000ULL, 0x0000100080200080ULL, 0x0000080080100080ULL,
    0x0000040080080080ULL, 0x0000020080040080ULL, 0x0000010080800200ULL, 0x0000800080004100ULL,
    0x0000204000800080ULL, 0x0000200040401000ULL, 0x0000100080802000ULL, 0x0000080080801000ULL,
    0x0000040080800800ULL, 0x0000020080800400ULL, 0x0000020001010004ULL, 0x0000800040800100ULL,
    0x0000204000808000ULL, 0x0000200040008080ULL, 0x0000100020008080ULL, 0x0000080010008080ULL,
    0x0000040008008080ULL, 0x0000020004008080ULL, 0x0000010002008080ULL, 0x0000004081020004ULL,
    0x0000204000800080ULL, 0x0000200040008080ULL, 0x0000100020008080ULL, 0x0000080010008080ULL,
    0x0000040008008080ULL, 0x0000020004008080ULL, 0x0000800100020080ULL, 0x0000800041000080ULL,
    0x00FFFCDDFCED714AULL, 0x007FFCDDFCED714AULL, 0x003FFFCDFFD88096ULL, 0x0000040810002101ULL,
    0x0001000204080011ULL, 0x0001000204000801ULL, 0x0001000082000401ULL, 0x0001FFFAABFAD1A2ULL,
};

const std::array<std::uint64_t, 64> bishop_magic = {
    0x0002020202020200ULL, 0x0002020202020000ULL, 0x0004010202000000ULL, 0x0004040080000000ULL,
    0x0001104000000000ULL, 0x0000821040000000ULL, 0x0000410410400000ULL, 0x0000104104104000ULL,
    0x0000040404040400ULL, 0x0000020202020200ULL, 0x0000040102020000ULL, 0x0000040400800000ULL,
    0x0000011040000000ULL, 0x0000008210400000ULL, 0x0000004104104000ULL, 0x0000002082082000ULL,
    0x0004000808080800ULL, 0x0002000404040400ULL, 0x0001000202020200ULL, 0x0000800802004000ULL,
    0x0000800400A00000ULL, 0x0000200100884000ULL, 0x0000400082082000ULL, 0x0000200041041000ULL,
    0x0002080010101000ULL, 0x0001040008080800ULL, 0x0000208004010400ULL, 0x0000404004010200ULL,
    0x0000840000802000ULL, 0x0000404002011000ULL, 0x0000808001041000ULL, 0x0000404000820800ULL,
    0x0001041000202000ULL, 0x0000820800101000ULL, 0x0000104400080800ULL, 0x0000020080080080ULL,
    0x0000404040040100ULL, 0x0000808100020100ULL, 0x0001010100020800ULL, 0x0000808080010400ULL,
    0x0000820820004000ULL, 0x0000410410002000ULL, 0x0000082088001000ULL, 0x0000002011000800ULL,
    0x0000080100400400ULL, 0x0001010101000200ULL, 0x0002020202000400ULL, 0x0001010101000200ULL,
    0x0000410410400000ULL, 0x0000208208200000ULL, 0x0000002084100000ULL, 0x0000000020880000ULL,
    0x0000001002020000ULL, 0x0000040408020000ULL, 0x0004040404040000ULL, 0x0002020202020000ULL,
    0x0000104104104000ULL, 0x0000002082082000ULL, 0x0000000020841000ULL, 0x0000000000208800ULL,
    0x0000000010020200ULL, 0x0000000404080200ULL, 0x0000040404040400ULL, 0x0002020202020200ULL,
};

namespace {

// Index widths by square a1..h8 (rank 1 first).
constexpr std::array<std::uint8_t, 64> ROOK_BITS = {
    12, 11, 11, 11, 11, 11, 11, 12,  //
    11, 10, 10, 10, 10, 10, 10, 11,  //
    11, 10, 10, 10, 10, 10, 10, 11,  //
    11, 10, 10, 10, 10, 10, 10, 11,  //
    11, 10, 10, 10, 10, 10, 10, 11,  //
    11, 10, 10, 10, 10, 10, 10, 11,  //
    11, 10, 10, 10, 10, 10, 10, 11,  //
    11, 10, 10, 11, 11, 11, 11, 11,  //
};
constexpr std::array<std::uint8_t, 64> BISHOP_BITS = {
    6, 5, 5, 5, 5, 5, 5, 6,  //
    5, 5, 5, 5, 5, 5, 5, 5,  //
    5, 5, 7, 7, 7, 7, 5, 5,  //
    5, 5, 7, 9, 9, 7, 5, 5,  //
    5, 5, 7, 9, 9, 7, 5, 5,  //
    5, 5, 7, 7, 7, 7, 5, 5,  //
    5, 5, 5, 5, 5, 5, 5, 5,  //
    6, 5, 5, 5, 5, 5, 5, 6,  //
};

constexpr std::array<std::uint8_t, 64> shifts_from(const std::array<std::uint8_t, 64>& bits) {
    std::array<std::uint8_t, 64> shifts{};
    for (int s = 0; s < 64; ++s) shifts[s] = static_cast<std::uint8_t>(64 - bits[s]);
    return shifts;
}

// File and rank steps of the eight directions in the order of their codes 1..8.
constexpr int DIR_FILE[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int DIR_RANK[8] = {1, 1, 0, -1, -1, -1, 0, 1};

bool on_board(int file, int rank) {
    return file >= 0 && file < 8 && rank >= 0 && rank < 8;
}

Bitboard step_set(int square, const int (*steps)[2], int count) {
    Bitboard set = 0;
    for (int i = 0; i < count; ++i) {
        int f = file_of(square) + steps[i][0], r = rank_of(square) + steps[i][1];
        if (on_board(f, r)) set |= bit(r * 8 + f);
    }
    return set;
}

// Walks rays from square; `edge_excluded` drops the last square of each ray (the masks).
Bitboard ray_walk(int square, Bitboard occupancy, bool rook, bool edge_excluded) {
    Bitboard set = 0;
    for (int d = 0; d < 8; ++d) {
        bool straight = (d % 2) == 0;
        if (straight != rook) continue;
        int f = file_of(square), r = rank_of(square);
        for (;;) {
            f += DIR_FILE[d];
            r += DIR_RANK[d];
            if (!on_board(f, r)) break;
            if (edge_excluded && !on_board(f + DIR_FILE[d], r + DIR_RANK[d])) break;
            set |= bit(r * 8 + f);
            if (occupancy & bit(r * 8 + f)) break;
        }
    }
    return set;
}

std::vector<Bitboard> rook_storage;
std::vector<Bitboard> bishop_storage;

void fill_magic(std::vector<Bitboard>& storage, std::array<Bitboard*, 64>& table,
                const std::array<Bitboard, 64>& masks, const std::array<std::uint64_t, 64>& magic,
                const std::array<std::uint8_t, 64>& shift, bool rook) {
    std::size_t total = 0;
    for (int s = 0; s < 64; ++s) total += std::size_t{1} << popcount(masks[s]);
    storage.assign(total, 0);
    std::size_t offset = 0;
    for (int s = 0; s < 64; ++s) {
        table[s] = storage.data() + offset;
        int squares[12];
        int n = 0;
        for (Bitboard m = masks[s]; m; m &= m - 1) squares[n++] = lowest_square(m);
        for (std::uint32_t k = 0; k < (1u << n); ++k) {
            Bitboard occupancy = 0;
            for (int j = 0; j < n; ++j)
                if (k & (1u << j)) occupancy |= bit(squares[j]);
            table[s][(occupancy * magic[s]) >> shift[s]] = ray_walk(s, occupancy, rook, false);
        }
        offset += std::size_t{1} << n;
    }
}

}  // namespace

const std::array<std::uint8_t, 64> rook_shift = shifts_from(ROOK_BITS);
const std::array<std::uint8_t, 64> bishop_shift = shifts_from(BISHOP_BITS);

Bitboard slow_slider_attacks(int square, Bitboard occupancy, bool rook) {
    return ray_walk(square, occupancy, rook, false);
}

void init_attack_tables() {
    static constexpr int KNIGHT_STEPS[8][2] = {{1, 2},   {2, 1},   {2, -1}, {1, -2},
                                               {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}};
    static constexpr int KING_STEPS[8][2] = {{0, 1},  {1, 1},   {1, 0},  {1, -1},
                                             {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}};
    for (int i = 0; i < 65; ++i) {
        int s = i % 64;
        knight_attacks[i] = step_set(s, KNIGHT_STEPS, 8);
        king_attacks[i] = step_set(s, KING_STEPS, 8);
        bishop_rays[i] = ray_walk(s, 0, false, false);
        rook_rays[i] = ray_walk(s, 0, true, false);
    }
    for (int s = 0; s < 64; ++s) {
        rook_mask[s] = ray_walk(s, 0, true, true);
        bishop_mask[s] = ray_walk(s, 0, false, true);
        for (int t = 0; t < 64; ++t) direction_table[s][t] = 0;
        for (int d = 0; d < 8; ++d) {
            int f = file_of(s), r = rank_of(s);
            for (;;) {
                f += DIR_FILE[d];
                r += DIR_RANK[d];
                if (!on_board(f, r)) break;
                direction_table[s][r * 8 + f] = d + 1;
            }
        }
    }
}

void init_magic_tables() {
    fill_magic(bishop_storage, bishop_attack_table, bishop_mask, bishop_magic, bishop_shift, false);
    fill_magic(rook_storage, rook_attack_table, rook_mask, rook_magic, rook_shift, true);
}
