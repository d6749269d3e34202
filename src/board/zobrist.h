// Zobrist keys: the whole-position key and the pawn key of the current position.
// Castling rights and the en-passant square are not part of either key.
#pragma once

#include <array>
#include <cstdint>

#include "board/position.h"

// Indexed piece_index * 64 + square; piece_index 0..5 white K Q R B N P, 6..11 black.
extern std::array<std::uint64_t, 768> zobrist;
constexpr std::uint64_t SIDE_KEY = 0x5555555555555555ULL;

extern std::uint64_t hash_key;
extern std::uint64_t pawn_hash_key;

constexpr int piece_index(Color c, PieceType p) {
    return (c == WHITE ? 0 : 6) + p;
}
inline std::uint64_t zobrist_of(Color c, PieceType p, int square) {
    return zobrist[piece_index(c, p) * 64 + square];
}

// Draws the 768 keys from the program's generator; called once, before any other draw.
void init_zobrist();
std::uint64_t compute_hash_key(const Position& position);
std::uint64_t compute_pawn_hash_key(const Position& position);
