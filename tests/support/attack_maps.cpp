#include "support/attack_maps.h"

#include "board/fen.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "movegen/generate_moves.h"

namespace {
template <Color C>
void fill_side(const Position& p, AttackInfo& a) {
    const Bitboard occupied = p.white_pieces | p.black_pieces;
    Bitboard knights = 0, bishops = 0, rooks = 0, queens = 0, checkers = 0;
    const Bitboard enemy_king = board_of<opposite(C), KING>(p);
    for (Bitboard b = board_of<C, KNIGHT>(p); b; b &= b - 1) {
        Bitboard att = knight_attacks[lowest_square(b)];
        knights |= att;
        if (att & enemy_king) checkers |= b & -b;
    }
    for (Bitboard b = board_of<C, BISHOP>(p); b; b &= b - 1) {
        Bitboard att = bishop_attacks(lowest_square(b), occupied);
        bishops |= att;
        if (att & enemy_king) checkers |= b & -b;
    }
    for (Bitboard b = board_of<C, ROOK>(p); b; b &= b - 1) {
        Bitboard att = rook_attacks(lowest_square(b), occupied);
        rooks |= att;
        if (att & enemy_king) checkers |= b & -b;
    }
    for (Bitboard b = board_of<C, QUEEN>(p); b; b &= b - 1) {
        Bitboard att = queen_attacks(lowest_square(b), occupied);
        queens |= att;
        if (att & enemy_king) checkers |= b & -b;
    }
    const Bitboard pawns = pawn_attacks<C>(board_of<C, PAWN>(p));
    for (Bitboard b = board_of<C, PAWN>(p); b; b &= b - 1)
        if (pawn_attacks<C>(b & -b) & enemy_king) checkers |= b & -b;
    const Bitboard king =
        board_of<C, KING>(p) ? king_attacks[lowest_square(board_of<C, KING>(p))] : 0;
    const Bitboard all = knights | bishops | rooks | queens | pawns;
    if constexpr (C == WHITE) {
        a.white_knight_attacks = knights;
        a.white_bishop_attacks = bishops;
        a.white_rook_attacks = rooks;
        a.white_queen_attacks = queens;
        a.white_pawn_attacks = pawns;
        a.white_king_attacks = king;
        a.white_all_attacks = all;
        a.white_checkers = checkers;
    } else {
        a.black_knight_attacks = knights;
        a.black_bishop_attacks = bishops;
        a.black_rook_attacks = rooks;
        a.black_queen_attacks = queens;
        a.black_pawn_attacks = pawns;
        a.black_king_attacks = king;
        a.black_all_attacks = all;
        a.black_checkers = checkers;
    }
}
}  // namespace

AttackInfo attack_maps(const Position& position) {
    AttackInfo a{};
    fill_side<WHITE>(position, a);
    fill_side<BLACK>(position, a);
    return a;
}

Position position_from(const std::string& fen) {
    Position p{};
    read_fen(fen.c_str(), p);
    return p;
}

std::vector<Move> legal_moves(const Position& position) {
    MoveList list;
    int n = generate_moves(position, list);
    std::vector<Move> result;
    const std::uint64_t key = hash_key, pawn_key = pawn_hash_key;
    const PieceCounts counts = piece_counts;
    for (int i = 0; i < n; ++i) {
        Position copy = position;
        if (make_move(copy, list[i])) result.push_back(list[i]);
    }
    hash_key = key;
    pawn_hash_key = pawn_key;
    piece_counts = counts;
    return result;
}

std::vector<std::string> move_texts(const Position& position, const std::vector<Move>& moves) {
    std::vector<std::string> texts;
    char buffer[8];
    for (Move m : moves) {
        move_to_text(position, m, buffer);
        texts.emplace_back(buffer);
    }
    return texts;
}

bool play_moves(Position& position, const std::vector<std::string>& moves) {
    for (const std::string& text : moves) {
        MoveList list;
        int n = generate_moves(position, list);
        bool played = false;
        char buffer[8];
        for (int i = 0; i < n && !played; ++i) {
            move_to_text(position, list[i], buffer);
            if (text != buffer) continue;
            Position copy = position;
            if (!make_move(copy, list[i])) return false;
            position = copy;
            played = true;
        }
        if (!played) return false;
    }
    return true;
}
