#include "support/mirror.h"

#include <string>

#include "board/fen.h"
#include "board/make_move.h"
#include "board/usable.h"
#include "board/zobrist.h"
#include "support/positions.h"

namespace {

// Rank order reversed: byte n of the board becomes byte 7 - n.
Bitboard flip(Bitboard b) {
    b = ((b >> 8) & 0x00FF00FF00FF00FFULL) | ((b & 0x00FF00FF00FF00FFULL) << 8);
    b = ((b >> 16) & 0x0000FFFF0000FFFFULL) | ((b & 0x0000FFFF0000FFFFULL) << 16);
    return (b >> 32) | (b << 32);
}

// The tests' own generator, so the engine's random stream is left alone.
int below(std::uint32_t& seed, int n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(n));
}

// A few plies of random legal play from `from`; the last position reached.
Position random_play(const Position& from, int plies, std::uint32_t& seed) {
    Position p = from;
    const PieceCounts saved_counts = piece_counts;
    const std::uint64_t saved_key = hash_key, saved_pawn_key = pawn_hash_key;
    for (std::vector<Move> moves; plies-- > 0 && !(moves = legal_moves(p)).empty();)
        make_move(p, moves[below(seed, static_cast<int>(moves.size()))]);
    piece_counts = saved_counts;
    hash_key = saved_key;
    pawn_hash_key = saved_pawn_key;
    return p;
}

}  // namespace

Position mirror_position(const Position& p) {
    Position m{};
    for (int i = 0; i < 6; ++i) {
        board_at(m, i) = flip(board_at(p, i + 6));
        board_at(m, i + 6) = flip(board_at(p, i));
    }
    m.white_pieces = flip(p.black_pieces);
    m.black_pieces = flip(p.white_pieces);
    m.ep_square = flip(p.ep_square);
    if (p.flags & WS) m.flags |= BS;
    if (p.flags & WL) m.flags |= BL;
    if (p.flags & BS) m.flags |= WS;
    if (p.flags & BL) m.flags |= WL;
    if (!(p.flags & BLACK_TO_MOVE)) m.flags |= BLACK_TO_MOVE;
    return m;
}

Position random_material(std::uint32_t& seed, const char* units, int max_pawns) {
    const std::string letters = "kqrbnpKQRBNP";  // record order of the boards
    for (;;) {
        Position p{};
        Bitboard used = 0;
        auto place = [&](char letter) {
            const bool pawn = letter == 'P' || letter == 'p';
            for (;;) {
                const int s = below(seed, 64);
                if ((used & bit(s)) || (pawn && (rank_of(s) == 0 || rank_of(s) == 7))) continue;
                used |= bit(s);
                board_at(p, static_cast<int>(letters.find(letter))) |= bit(s);
                return;
            }
        };
        place('K');
        place('k');
        for (const char* c = units; *c; ++c) place(*c);
        for (int i = below(seed, max_pawns + 1); i > 0; --i) place('P');
        for (int i = below(seed, max_pawns + 1); i > 0; --i) place('p');
        if (below(seed, 2)) p.flags |= BLACK_TO_MOVE;
        for (int i = 0; i < 6; ++i) {
            p.black_pieces |= board_at(p, i);
            p.white_pieces |= board_at(p, i + 6);
        }
        if (position_is_usable(p)) return p;
    }
}

std::vector<Position> sample_positions(int count, std::uint32_t seed) {
    static const char* const openings[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq",
        "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq",
        "rnbqkb1r/pp3ppp/4pn2/2pp4/2PP4/2N2N2/PP2PPPP/R1BQKB1R w KQkq",
        "r2q1rk1/pp2bppp/2n1pn2/3p4/3P4/2NBPN2/PP3PPP/R2Q1RK1 w -",
        "8/pp3pkp/2p3p1/8/3P4/2P3P1/PP3PKP/8 w -",
        "4r1k1/1p3ppp/p1p5/8/3R4/1P4P1/P4P1P/6K1 w -",
    };
    // Material for every ending type; the driver's classification decides.
    static const struct {
        const char* units;
        int max_pawns;
    } materials[] = {
        {"QRRBNqrrbn", 6}, {"RBNrnn", 5}, {"Qq", 3},  {"Rr", 1},  {"RRrr", 4},
        {"Bb", 4},         {"Nn", 4},     {"Bn", 4},  {"Nb", 4},  {"", 1},
        {"", 5},           {"Np", 3},     {"Bpp", 3}, {"RRq", 3}, {"QNrb", 4},
    };
    std::vector<Position> result;
    while (static_cast<int>(result.size()) < count) {
        Position p;
        if (below(seed, 2)) {
            const auto& m = materials[below(seed, std::size(materials))];
            p = random_material(seed, m.units, m.max_pawns);
        } else {
            Position start{};
            read_fen(openings[below(seed, std::size(openings))], start);
            p = random_play(start, below(seed, 80), seed);
        }
        if (position_is_usable(p) && popcount(p.white_queens) <= 1 && popcount(p.black_queens) <= 1)
            result.push_back(p);
    }
    return result;
}
