#include "support/positions.h"

#include <tuple>

#include "board/fen.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "movegen/generate_moves.h"

Position position_from_fen(const std::string& fen) {
    Position p{};
    read_fen(fen.c_str(), p);
    hash_key = compute_hash_key(p);
    pawn_hash_key = compute_pawn_hash_key(p);
    piece_counts = count_pieces(p);
    return p;
}

std::vector<std::string> legal_move_texts(const Position& position) {
    std::vector<std::string> texts;
    MoveList list;
    int count = generate_moves(position, list);
    for (int i = 0; i < count; ++i) {
        Position copy = position;
        PieceCounts counts = piece_counts;
        auto keys = std::make_pair(hash_key, pawn_hash_key);
        char text[8];
        move_to_text(position, list[i], text);
        if (make_move(copy, list[i])) texts.push_back(text);
        piece_counts = counts;
        std::tie(hash_key, pawn_hash_key) = keys;
    }
    return texts;
}

bool play_text_move(Position& position, const std::string& text) {
    MoveList list;
    int count = generate_moves(position, list);
    for (int i = count - 1; i >= 0; --i) {
        char buffer[8];
        move_to_text(position, list[i], buffer);
        if (text != buffer) continue;
        Position copy = position;
        if (!make_move(copy, list[i])) return false;
        position = copy;
        return true;
    }
    return false;
}
