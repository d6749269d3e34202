#include "support/positions.h"

#include "board/fen.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "movegen/generate_moves.h"

Position position_from_fen(const std::string& fen) {
    Position p{};
    read_fen(fen.c_str(), p);
    hash_key = compute_hash_key(p);
    pawn_hash_key = compute_pawn_hash_key(p);
    piece_counts = count_pieces(p);
    return p;
}

std::vector<Move> legal_moves(const Position& position) {
    MoveList list;
    const int n = generate_moves(position, list);
    const std::uint64_t key = hash_key, pawn_key = pawn_hash_key;
    const PieceCounts counts = piece_counts;
    std::vector<Move> result;
    for (int i = 0; i < n; ++i) {
        Position copy = position;
        if (make_move(copy, list[i])) result.push_back(list[i]);
        hash_key = key;
        pawn_hash_key = pawn_key;
        piece_counts = counts;
    }
    return result;
}

std::vector<std::string> move_texts(const Position& position, const std::vector<Move>& moves) {
    std::vector<std::string> texts;
    for (Move m : moves) {
        char buffer[8];
        move_to_text(position, m, buffer);
        texts.emplace_back(buffer);
    }
    return texts;
}

Move find_move(const Position& position, const std::string& text) {
    MoveList list;
    const int n = generate_moves(position, list);
    for (int i = 0; i < n; ++i)
        if (move_texts(position, {list[i]})[0] == text) return list[i];
    return 0;
}

bool play_moves(Position& position, const std::vector<std::string>& moves) {
    for (const std::string& text : moves) {
        const Move m = find_move(position, text);
        Position next = position;
        if (!m || !make_move(next, m)) return false;
        position = next;
    }
    return true;
}

AttackInfo attack_maps(const Position& position) {
    const std::uint64_t pawn_key = pawn_hash_key;
    const PieceCounts counts = piece_counts;
    piece_counts = count_pieces(position);
    pawn_hash_key = compute_pawn_hash_key(position);
    PawnRecord record;
    AttackInfo attacks{};
    int passer_flag = 0;
    evaluate(position, record, -32000, 32000, passer_flag, 0, attacks);
    pawn_hash_key = pawn_key;
    piece_counts = counts;
    return attacks;
}
