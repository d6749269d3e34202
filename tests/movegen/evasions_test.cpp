// The evasion generator against full generation over many positions in check, and the
// hand-made cases: double checks, en passant, blocking promotions, the line behind the king.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "movegen/generate_captures.h"
#include "movegen/generate_evasions.h"
#include "movegen/generate_moves.h"
#include "search/count_material.h"
#include "support/attack_maps.h"

namespace {

std::vector<Move> evasions(const Position& position, int& extension) {
    MoveList list;
    AttackInfo info = attack_maps(position);
    int n = generate_evasions(position, list, info, extension);
    return std::vector<Move>(list.begin(), list.begin() + n);
}

std::vector<Move> legal_evasions(const Position& position) {
    MoveList list;
    AttackInfo info = attack_maps(position);
    int extension = 0;
    int n = generate_evasions(position, list, info, extension);
    Position copy = position;
    n = legal_filter(copy, list, n);
    return std::vector<Move>(list.begin(), list.begin() + n);
}

// Calls visit on every position of the legal tree below `position` down to `depth` plies.
void walk(const Position& position, int depth, const std::function<void(const Position&)>& visit) {
    visit(position);
    if (depth == 0) return;
    for (Move m : legal_moves(position)) {
        Position next = position;
        make_move(next, m);
        walk(next, depth - 1, visit);
    }
}

std::vector<Move> sorted(std::vector<Move> moves) {
    for (Move& m : moves) m &= 0x1FFFF;
    std::sort(moves.begin(), moves.end());
    return moves;
}

bool contains_text(const Position& p, const std::vector<Move>& moves, const std::string& text) {
    auto texts = move_texts(p, moves);
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

TEST(Evasions, MatchFilteredFullGenerationInPerftTrees) {
    const std::vector<std::pair<std::string, int>> roots = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq", 4},
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq", 3},
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w -", 5},
        {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq", 3},
        {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ", 3},
        // Knight moves off the file give double checks.
        {"8/8/4k3/8/8/8/4N3/4R1K1 w -", 3},
    };
    int checks = 0, double_checks = 0, en_passant = 0;
    for (const auto& [fen, depth] : roots) {
        walk(position_from(fen), depth, [&](const Position& p) {
            if (!side_to_move_in_check(p)) return;
            ++checks;
            int extension = 0;
            std::vector<Move> candidates = evasions(p, extension);
            if (extension == 8) ++double_checks;
            const std::uint64_t key = hash_key;
            const PieceCounts counts = piece_counts;
            std::vector<Move> kept = legal_evasions(p);
            EXPECT_EQ(hash_key, key);
            EXPECT_EQ(piece_counts.white_pawn_count, counts.white_pawn_count);
            for (Move m : candidates) {
                EXPECT_EQ(m & CHECK_MARK, 0u);
                if (base_kind(m) == EN_PASSANT) ++en_passant;
            }
            // The filter keeps the generator's order.
            auto it = candidates.begin();
            for (Move m : kept) {
                it = std::find(it, candidates.end(), m);
                ASSERT_NE(it, candidates.end());
            }
            EXPECT_EQ(sorted(kept), sorted(legal_moves(p))) << [&] {
                std::string s;
                for (auto& t : move_texts(p, legal_moves(p))) s += t + " ";
                return s;
            }();
        });
    }
    EXPECT_GT(checks, 1000);
    EXPECT_GT(double_checks, 3);
    EXPECT_GT(en_passant, 0);
}

TEST(Evasions, DoubleCheckListsOnlyKingMovesAndExtends) {
    // Rook e1 and bishop a4 both check the black king on e8; black has a rook to interpose.
    Position p = position_from("r3k3/8/8/8/B7/8/8/4RK2 b -");
    ASSERT_TRUE(side_to_move_in_check(p));
    int extension = 0;
    const std::int32_t before = double_check_count;
    std::vector<Move> moves = evasions(p, extension);
    EXPECT_EQ(extension, 8);
    EXPECT_EQ(double_check_count, before);  // only white's double checks are counted
    for (Move m : moves) EXPECT_EQ(base_kind(m), KING_MOVE);
    EXPECT_EQ(sorted(legal_evasions(p)), sorted(legal_moves(p)));

    Position w = position_from("4rk2/8/8/b7/8/8/8/R3K3 w -");
    extension = 0;
    evasions(w, extension);
    EXPECT_EQ(extension, 8);
    EXPECT_EQ(double_check_count, before + 1);
}

TEST(Evasions, SingleCheckLeavesExtensionAndKnightCheckHasNoInterpositions) {
    Position p = position_from("4k3/8/8/8/8/5n2/3PPP2/R3K3 w -");
    int extension = 5;
    std::vector<Move> moves = evasions(p, extension);
    EXPECT_EQ(extension, 5);
    EXPECT_EQ(move_texts(p, moves), (std::vector<std::string>{"e2f3", "e1d1", "e1f1"}));
}

TEST(Evasions, SliderCheckInGeneratorOrder) {
    // The rook on h4 checks the king on b4 along the fourth rank.
    Position p = position_from("7k/4B3/Q7/8/1K5r/3P2P1/4NP2/2R5 w -");
    int extension = 0;
    std::vector<std::string> expected = {"g3h4", "e2d4", "e2f4", "e7h4", "c1c4",
                                         "a6c4", "d3d4", "g3g4", "f2f4", "b4a3",
                                         "b4b3", "b4c3", "b4a5", "b4b5", "b4c5"};
    // a4 lies behind the king on the checking line: never offered although the attack maps,
    // made with the king in place, show it free.
    EXPECT_EQ(move_texts(p, evasions(p, extension)), expected);
    EXPECT_EQ(extension, 0);
}

TEST(Evasions, PromotionsThatBlock) {
    Position p = position_from("K6r/3P4/8/8/8/8/8/7k w -");
    int extension = 0;
    std::vector<std::string> texts = move_texts(p, evasions(p, extension));
    std::vector<std::string> expected = {"d7d8q", "d7d8r", "d7d8b", "d7d8n", "a8a7", "a8b7"};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(sorted(legal_evasions(p)), sorted(legal_moves(p)));
}

TEST(Evasions, EnPassantCaptureOfTheCheckingPawn) {
    Position p = position_from("8/8/8/2k5/2p5/8/1P6/4K3 w -");
    ASSERT_TRUE(play_moves(p, {"b2b4"}));
    ASSERT_TRUE(side_to_move_in_check(p));
    std::vector<Move> kept = legal_evasions(p);
    EXPECT_TRUE(contains_text(p, kept, "c4b3"));
    EXPECT_EQ(sorted(kept), sorted(legal_moves(p)));
}

TEST(Evasions, PinnedInterpositionListedThenRefused) {
    Position p = position_from("k3r3/8/8/8/1b6/8/3B4/4K3 w -");
    int extension = 0;
    EXPECT_TRUE(contains_text(p, evasions(p, extension), "d2e3"));
    EXPECT_FALSE(contains_text(p, legal_evasions(p), "d2e3"));
    EXPECT_EQ(sorted(legal_evasions(p)), sorted(legal_moves(p)));
}

TEST(Evasions, WithoutCheckFallsBackToAllMoves) {
    Position p = position_from("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq");
    int extension = 0;
    EXPECT_EQ(evasions(p, extension).size(), 20u);
}

// The generators read the record the evaluation leaves; over the same trees it must give
// the lists the record made straight from the boards gives.
TEST(Evasions, SameListsWithTheEvaluationsAttackRecord) {
    int compared = 0;
    walk(position_from("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq"), 2,
         [&](const Position& p) {
             pawn_hash_key = compute_pawn_hash_key(p);
             count_material(p);
             AttackInfo from_eval{};
             PawnRecord record;
             int passer_flag = 0;
             evaluate(p, record, -32000, 32000, passer_flag, 0, from_eval);
             const AttackInfo direct = attack_maps(p);
             MoveList a, b;
             int ea = 0, eb = 0, na, nb;
             if (side_to_move_in_check(p)) {
                 na = generate_evasions(p, a, from_eval, ea);
                 nb = generate_evasions(p, b, direct, eb);
             } else {
                 na = generate_captures(p, a, from_eval, 1, ea);
                 nb = generate_captures(p, b, direct, 1, eb);
             }
             ASSERT_EQ(na, nb);
             EXPECT_EQ(ea, eb);
             for (int i = 0; i < na; ++i) EXPECT_EQ(a[i], b[i]);
             ++compared;
         });
    EXPECT_GT(compared, 2000);
}
