#include "board/zobrist.h"

#include "board/random.h"

std::array<std::uint64_t, 768> zobrist{};
std::uint64_t hash_key = 0;
std::uint64_t pawn_hash_key = 0;

void init_zobrist() {
    for (auto& entry : zobrist) {
        std::uint64_t r1 = next_random(), r2 = next_random(), r3 = next_random(),
                      r4 = next_random();
        entry = r1 ^ (r2 << 16) ^ (r3 << 32) ^ (r4 << 48);
    }
}

std::uint64_t compute_hash_key(const Position& position) {
    std::uint64_t key = 0;
    // Record boards 0..5 are black (piece_index 6..11), 6..11 white (piece_index 0..5).
    for (int index = 0; index < 12; ++index) {
        int piece = index < 6 ? index + 6 : index - 6;
        for (Bitboard b = board_at(position, index); b; b &= b - 1)
            key ^= zobrist[piece * 64 + lowest_square(b)];
    }
    if (position.flags & BLACK_TO_MOVE) key ^= SIDE_KEY;
    return key;
}

std::uint64_t compute_pawn_hash_key(const Position& position) {
    std::uint64_t key = 0;
    for (Bitboard b = position.white_pawns; b; b &= b - 1)
        key ^= zobrist_of(WHITE, PAWN, lowest_square(b));
    for (Bitboard b = position.black_pawns; b; b &= b - 1)
        key ^= zobrist_of(BLACK, PAWN, lowest_square(b));
    return key;
}
