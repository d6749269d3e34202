#include "support/mirror.h"

#include "board/fen.h"
#include "board/make_move.h"
#include "board/usable.h"
#include "board/zobrist.h"
#include "movegen/generate_moves.h"

namespace {

// Rank order reversed: byte n of the board becomes byte 7 - n.
Bitboard flip(Bitboard b) {
    b = ((b >> 8) & 0x00FF00FF00FF00FFULL) | ((b & 0x00FF00FF00FF00FFULL) << 8);
    b = ((b >> 16) & 0x0000FFFF0000FFFFULL) | ((b & 0x0000FFFF0000FFFFULL) << 16);
    return (b >> 32) | (b << 32);
}

// Small deterministic generator of the tests' own, so the engine's random stream is left
// alone.
struct TestRandom {
    std::uint32_t state;
    std::uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
};

void finish_position(Position& p) {
    p.white_pieces = p.white_king | p.white_queens | p.white_rooks | p.white_bishops |
                     p.white_knights | p.white_pawns;
    p.black_pieces = p.black_king | p.black_queens | p.black_rooks | p.black_bishops |
                     p.black_knights | p.black_pawns;
}

// Kings plus a random handful of units on free squares, pawns kept off the end ranks.
Position random_placement(TestRandom& rng) {
    Position p{};
    Bitboard used = 0;
    auto place = [&](int board_index, bool pawn) {
        for (int tries = 0; tries < 64; ++tries) {
            int square = rng.below(64);
            if (used & bit(square)) continue;
            if (pawn && (rank_of(square) == 0 || rank_of(square) == 7)) continue;
            used |= bit(square);
            board_at(p, board_index) |= bit(square);
            return;
        }
    };
    place(0, false);  // black king
    place(6, false);  // white king
    // Record order: 1 black queen .. 5 black pawns, 7 white queen .. 11 white pawns.
    const int white_pawns = rng.below(7), black_pawns = rng.below(7);
    for (int i = 0; i < white_pawns; ++i) place(11, true);
    for (int i = 0; i < black_pawns; ++i) place(5, true);
    if (rng.below(3) == 0) {
        // One piece each: the small endings with their own rules.
        place(1 + rng.below(4), false);
        place(7 + rng.below(4), false);
    } else {
        const int extra_pieces = rng.below(7);
        for (int i = 0; i < extra_pieces; ++i) {
            int kind = 1 + rng.below(4);  // queen, rook, bishop or knight
            place(rng.below(2) ? kind : kind + 6, false);
        }
    }
    if (rng.below(2)) p.flags |= BLACK_TO_MOVE;
    // Castling rights only where king and rook still stand at home.
    if ((p.white_king & bit(4)) && (p.white_rooks & bit(7))) p.flags |= WS;
    if ((p.white_king & bit(4)) && (p.white_rooks & bit(0))) p.flags |= WL;
    if ((p.black_king & bit(60)) && (p.black_rooks & bit(63))) p.flags |= BS;
    if ((p.black_king & bit(60)) && (p.black_rooks & bit(56))) p.flags |= BL;
    finish_position(p);
    return p;
}

// A few plies of random legal play from `from`; the last position reached.
Position random_play(const Position& from, int plies, TestRandom& rng) {
    Position p = from;
    const PieceCounts saved_counts = piece_counts;
    const std::uint64_t saved_key = hash_key, saved_pawn_key = pawn_hash_key;
    ply = 0;
    for (int i = 0; i < plies; ++i) {
        MoveList list;
        const int count = generate_moves(p, list);
        if (count == 0) break;
        bool moved = false;
        for (int attempt = 0; attempt < count && !moved; ++attempt) {
            Position next = p;
            if (make_move(next, list[(rng.below(count) + attempt) % count])) {
                p = next;
                moved = true;
            }
        }
        if (!moved) break;
    }
    piece_counts = saved_counts;
    hash_key = saved_key;
    pawn_hash_key = saved_pawn_key;
    return p;
}

}  // namespace

Position mirror_position(const Position& p) {
    Position m{};
    m.white_king = flip(p.black_king);
    m.white_queens = flip(p.black_queens);
    m.white_rooks = flip(p.black_rooks);
    m.white_bishops = flip(p.black_bishops);
    m.white_knights = flip(p.black_knights);
    m.white_pawns = flip(p.black_pawns);
    m.black_king = flip(p.white_king);
    m.black_queens = flip(p.white_queens);
    m.black_rooks = flip(p.white_rooks);
    m.black_bishops = flip(p.white_bishops);
    m.black_knights = flip(p.white_knights);
    m.black_pawns = flip(p.white_pawns);
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

bool same_position(const Position& a, const Position& b) {
    for (int i = 0; i < 12; ++i)
        if (board_at(a, i) != board_at(b, i)) return false;
    return a.white_pieces == b.white_pieces && a.black_pieces == b.black_pieces &&
           a.ep_square == b.ep_square && a.flags == b.flags;
}

std::vector<Position> sample_positions(int count, std::uint32_t seed, int max_queens) {
    static const char* const openings[] = {
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
        "r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 0 1",
        "rnbqkb1r/pp3ppp/4pn2/2pp4/2PP4/2N2N2/PP2PPPP/R1BQKB1R w KQkq - 0 1",
        "r2q1rk1/pp2bppp/2n1pn2/3p4/3P4/2NBPN2/PP3PPP/R2Q1RK1 w - - 0 1",
        "8/pp3pkp/2p3p1/8/3P4/2P3P1/PP3PKP/8 w - - 0 1",
        "4r1k1/1p3ppp/p1p5/8/3R4/1P4P1/P4P1P/6K1 w - - 0 1",
    };
    TestRandom rng{seed};
    std::vector<Position> result;
    int guard = 0;
    while (static_cast<int>(result.size()) < count && guard++ < count * 50) {
        Position p;
        if (rng.below(3) == 0) {
            p = random_placement(rng);
        } else {
            Position start{};
            read_fen(openings[rng.below(6)], start);
            p = random_play(start, rng.below(80), rng);
        }
        if (!position_is_usable(p)) continue;
        if (popcount(p.white_queens) > max_queens || popcount(p.black_queens) > max_queens)
            continue;
        result.push_back(p);
    }
    return result;
}
