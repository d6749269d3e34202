#include "eval/evaluate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "board/zobrist.h"
#include "eval/eval_context.h"
#include "eval/eval_weights.h"
#include "eval/pawn_table.h"
#include "eval/terms.h"
#include "shell/output.h"
#include "shell/protocol_output.h"
#include "support/eval_support.h"
#include "support/mirror.h"

namespace {

int evaluate_window(const Position& p, int alpha, int beta) {
    prepare_for_evaluation(p);
    PawnRecord record;
    AttackInfo attacks;
    int flag = 0;
    return evaluate(p, record, alpha, beta, flag, 0, attacks);
}

int material_term(const char* fen) {
    const Position p = from_fen(fen);
    prepare_for_evaluation(p);
    EvalContext context{};
    fill_eval_context(p, context);
    const PieceCounts& n = context.counts;
    const int sum = (n.white_pawn_count - n.black_pawn_count) * 100 +
                    (n.white_knight_count - n.black_knight_count) * 310 +
                    (n.white_bishop_count - n.black_bishop_count) * 315 +
                    (n.white_rook_count - n.black_rook_count) * 490 +
                    (n.white_queen_count - n.black_queen_count) * 900;
    return material_balance(context, sum);
}

EndingType ending_of(const char* fen) {
    const Position p = from_fen(fen);
    prepare_for_evaluation(p);
    EvalContext context{};
    fill_eval_context(p, context);
    return context.ending_type;
}

TEST(Evaluate, StartPositionIsTheSideToMoveBonus) {
    EXPECT_EQ(full_evaluation(start_position), 5);
    EXPECT_EQ(full_evaluation(from_fen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq - 0 1")),
              5);
}

TEST(Evaluate, EndingTypes) {
    EXPECT_EQ(ending_of("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"),
              ENDING_CASTLING_LEFT);
    EXPECT_EQ(ending_of("r3k3/8/8/8/8/8/8/3QK2R w - - 0 1"), ENDING_NO_CASTLING);
    EXPECT_EQ(ending_of("r3k3/8/8/8/8/8/8/3NK2R w - - 0 1"), ENDING_LIGHT);
    EXPECT_EQ(ending_of("3qk3/p7/8/8/8/8/P7/3QK3 w - - 0 1"), ENDING_QUEENS);
    EXPECT_EQ(ending_of("r3k2r/8/8/8/8/8/8/R3K2R w - - 0 1"), ENDING_ROOKS);
    EXPECT_EQ(ending_of("r3k3/8/8/8/8/8/P7/4K2R w - - 0 1"), ENDING_ROOKS);
    EXPECT_EQ(ending_of("4k3/2b5/8/8/8/8/8/2B1K3 w - - 0 1"), ENDING_SAME_BISHOPS);
    EXPECT_EQ(ending_of("2b1k3/8/8/8/8/8/8/2B1K3 w - - 0 1"), ENDING_OPPOSITE_BISHOPS);
    EXPECT_EQ(ending_of("4kb2/8/8/8/8/8/8/2B1K3 w - - 0 1"), ENDING_SAME_BISHOPS);
    EXPECT_EQ(ending_of("4k1n1/8/8/8/8/8/8/1N2K3 w - - 0 1"), ENDING_KNIGHTS);
    EXPECT_EQ(ending_of("4k1n1/8/8/8/8/8/8/2B1K3 w - - 0 1"), ENDING_BISHOP_KNIGHT);
    EXPECT_EQ(ending_of("4kb2/8/8/8/8/8/8/1N2K3 w - - 0 1"), ENDING_BISHOP_KNIGHT);
    EXPECT_EQ(ending_of("4k3/p7/8/8/8/8/P7/4K3 w - - 0 1"), ENDING_PAWNS);
}

TEST(Evaluate, MaterialBalanceInLightEndings) {
    // Two knights cannot force mate.
    EXPECT_EQ(material_term("4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1"), 0);
    // Rook against bishop: 175 + 50 for the only rook, then an eighth.
    EXPECT_EQ(material_term("4k3/2b5/8/8/8/8/8/4K2R w - - 0 1"), 225 / 8);
    // A lone minor piece: nothing.
    EXPECT_EQ(material_term("4k3/8/8/8/8/8/8/2B1K3 w - - 0 1"), 0);
    // Rook against bare king: 490, white king on the edge -10, black king in the centre -10.
    EXPECT_EQ(material_term("8/8/8/4k3/8/8/8/4K2R w - - 0 1"), 470);
    EXPECT_EQ(material_term("8/8/8/4K3/8/8/8/4k2r w - - 0 1"), -470);
    // Bishop against two pawns: 115, +30 for the piece against pawns, then an eighth.
    EXPECT_EQ(material_term("4k3/8/8/8/8/8/pp6/2B1K3 w - - 0 1"), (115 + 30) / 8);
}

TEST(Evaluate, LoneMinorPieceNeverScoresForItself) {
    const char* fens[] = {
        "6k1/ppp5/8/8/4N3/8/8/6K1 w - - 0 1",
        "6k1/ppp5/8/8/4N3/8/8/6K1 b - - 0 1",
        "6k1/p7/8/8/4B3/8/8/6K1 w - - 0 1",
    };
    const int windows[][2] = {{-32000, 32000}, {500, 600}, {-600, -500}, {-20, 20}, {100, 120}};
    for (const char* fen : fens) {
        const Position p = from_fen(fen);
        for (const auto& w : windows) {
            const int value = evaluate_window(p, w[0], w[1]);
            const int for_white = (p.flags & BLACK_TO_MOVE) ? -value : value;
            EXPECT_LE(for_white, 0) << fen << " window " << w[0];
        }
        // The mirrored side with the minor piece gets the same treatment.
        const Position m = mirror_position(p);
        for (const auto& w : windows) {
            const int value = evaluate_window(m, w[0], w[1]);
            const int for_black = (m.flags & BLACK_TO_MOVE) ? value : -value;
            EXPECT_LE(for_black, 0) << fen << " mirrored, window " << w[0];
        }
    }
}

TEST(Evaluate, LazyExitsOnlyOutsideTheWindow) {
    const std::uint64_t lazy_before = lazy_eval_count;
    const std::uint64_t evals_before = eval_count;
    for (const Position& p : sample_positions(150, 7)) full_evaluation(p);
    EXPECT_EQ(lazy_eval_count, lazy_before);
    EXPECT_EQ(eval_count, evals_before + 150);

    // The start position is 0 before the side-to-move bonus; far below this window.
    EXPECT_EQ(evaluate_window(start_position, 1000, 1100), 0);
    EXPECT_EQ(lazy_eval_count, lazy_before + 1);
    EXPECT_EQ(evaluate_window(start_position, 95, 105), 5);
    EXPECT_EQ(lazy_eval_count, lazy_before + 1);
}

TEST(Evaluate, PawnTableHitEqualsMiss) {
    for (const Position& p : sample_positions(120, 11)) {
        PawnRecord fresh{};
        analyse_pawns(p, fresh);
        PawnRecord first{}, second{};
        const int a = full_evaluation(p, nullptr, &first);
        const std::uint64_t misses = pawn_table_misses;
        const int b = full_evaluation(p, nullptr, &second);
        EXPECT_EQ(pawn_table_misses, misses);  // the second call hits
        EXPECT_EQ(a, b);
        EXPECT_EQ(std::memcmp(&first, &fresh, sizeof fresh), 0);
        EXPECT_EQ(std::memcmp(&second, &fresh, sizeof fresh), 0);
    }
    // Another structure stored under the same entry forces a miss; the score is unchanged.
    const Position p = from_fen("r1bq1rk1/pp2bppp/2n1pn2/3p4/3P4/2NBPN2/PP3PPP/R2Q1RK1 w - - 0 1");
    const int before = full_evaluation(p);
    probe_pawn_table(start_position, compute_pawn_hash_key(p));
    const std::uint64_t misses = pawn_table_misses;
    EXPECT_EQ(full_evaluation(p), before);
    EXPECT_EQ(pawn_table_misses, misses + 1);
}

TEST(Evaluate, SpecialEndingPathsReplaceTheScore) {
    // King, rook and pawn against king and rook: the ending value and the bonus.
    const Position p = from_fen("8/4k3/8/3r4/8/1P6/2K5/7R w - - 0 1");
    prepare_for_evaluation(p);
    EvalContext context{};
    fill_eval_context(p, context);
    EXPECT_EQ(full_evaluation(p), rook_pawn_ending(p, context) + 5);
    // A single pawn in a pawn ending.
    const Position q = from_fen("8/4k3/8/8/8/1P6/2K5/8 b - - 0 1");
    PawnRecord record{};
    analyse_pawns(q, record);
    prepare_for_evaluation(q);
    fill_eval_context(q, context);
    EXPECT_EQ(full_evaluation(q), -(pawn_ending(q, context, record) - 5));
}

TEST(Evaluate, MobilityWeightScalesOnlyItsTerm) {
    const Position p = from_fen("r2q1rk1/pp2bppp/2n1pn2/3p4/3P4/2NBPN2/PP3PPP/R2Q1RK1 w - - 0 1");
    prepare_for_evaluation(p);
    EvalContext context{};
    fill_eval_context(p, context);
    AttackInfo attacks{};
    const int mobility = mobility_term(p, context, attacks);
    const int full = full_evaluation(p);
    eval_weights.mobility = 50;
    const int half = full_evaluation(p);
    eval_weights = DEFAULT_EVAL_WEIGHTS;
    EXPECT_EQ(full - half, mobility - mobility * 50 / 100);
}

TEST(Evaluate, PasserOnSeventhFlag) {
    int flag = -1;
    full_evaluation(from_fen("1n5k/4P3/8/8/8/8/8/1N5K w - - 0 1"), nullptr, nullptr, &flag);
    EXPECT_EQ(flag & PASSER_ON_SEVENTH, PASSER_ON_SEVENTH);
    full_evaluation(from_fen("1n5k/4P3/8/8/8/8/8/1N5K b - - 0 1"), nullptr, nullptr, &flag);
    EXPECT_EQ(flag, 0);
    // Promotion square taken: no flag.
    full_evaluation(from_fen("1n2n2k/4P3/8/8/8/8/8/1NN4K w - - 0 1"), nullptr, nullptr, &flag);
    EXPECT_EQ(flag & PASSER_ON_SEVENTH, 0);
    full_evaluation(from_fen("1n5k/8/8/8/8/8/3p4/1N5K b - - 0 1"), nullptr, nullptr, &flag);
    EXPECT_EQ(flag & PASSER_ON_SEVENTH, PASSER_ON_SEVENTH);
}

TEST(Evaluate, ConsoleReport) {
    const std::filesystem::path previous = std::filesystem::current_path();
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "orlo_eval_report_test";
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    std::filesystem::remove("orlo.txt");
    std::FILE* capture = std::tmpfile();
    ASSERT_NE(capture, nullptr);
    std::FILE* saved = output_file;
    output_file = capture;
    prepare_for_evaluation(start_position);
    PawnRecord record;
    AttackInfo attacks;
    int flag = 0;
    const int value = evaluate(start_position, record, -32000, 32000, flag, 1, attacks);
    output_file = saved;
    std::rewind(capture);
    std::string text;
    for (int c; (c = std::fgetc(capture)) != EOF;) text.push_back(static_cast<char>(c));
    std::fclose(capture);
    std::ifstream log_file("orlo.txt");
    std::stringstream log;
    log << log_file.rdbuf();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);

    EXPECT_EQ(value, 5);
    EXPECT_EQ(text.rfind("\nnow evaluating\n", 0), 0u);
    const std::string report = text.substr(text.find("\nmaterial:"));
    EXPECT_EQ(report,
              "\nmaterial:\t0\npawns:\t\t0\nbase pawns:\t0\npasser"
              "s:\t0\nking attack:\t\t0"
              "\nking shelter:\t\t0\nking endgame:\t\t0\npieces:\t\t0\npiece-pawn:\t0"
              "\npassivity:\t0\nmobility:\t0\nendgame:\t0\ntotal:\t5\n");
    EXPECT_EQ(log.str(),
              "\nmaterial:\t0\npawns:\t0\nking attack:\t\t0\nking shelter:\t\t0"
              "\nking endgame:\t\t0\npieces:\t0\npiece-pawn:\t0\npassivity:\t0"
              "\nmobility:\t0\nendgame:\t0\ntotal:\t5\n");
}

TEST(Evaluate, ProtocolReportInUciMode) {
    const std::filesystem::path previous = std::filesystem::current_path();
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "orlo_eval_uci_report_test";
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    std::filesystem::remove("orlo.txt");
    std::FILE* capture = std::tmpfile();
    ASSERT_NE(capture, nullptr);
    std::FILE* saved = output_file;
    output_file = capture;
    const int saved_mode = protocol_mode;
    protocol_mode = 2;
    ASSERT_TRUE(open_protocol_log("uci.txt"));
    prepare_for_evaluation(start_position);
    PawnRecord record;
    AttackInfo attacks;
    int flag = 0;
    const int value = evaluate(start_position, record, -32000, 32000, flag, 1, attacks);
    close_protocol_log();
    protocol_mode = saved_mode;
    output_file = saved;
    std::rewind(capture);
    std::string text;
    for (int c; (c = std::fgetc(capture)) != EOF;) text.push_back(static_cast<char>(c));
    std::fclose(capture);
    std::stringstream log;
    log << std::ifstream("uci.txt").rdbuf();
    const bool console_copy =
        std::filesystem::exists("orlo.txt") && std::filesystem::file_size("orlo.txt") > 0;
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);

    EXPECT_EQ(value, 5);
    // Each line is sent with its own line end, so an empty line follows it.
    const char* labels[] = {"material",     "pawns base",   "passers",
                            "pawns",        "king shelter", "king attack",
                            "king endgame", "pieces",       "piece-pawn interaction",
                            "mobility",     "endgame",      "total"};
    std::string expected;
    for (const char* label : labels)
        expected += std::string("info string ") + label + ": " +
                    (std::string(label) == "total" ? "5" : "0") + "\n\n";
    // The heading and the board come first, as protocol lines too.
    ASSERT_EQ(text.rfind("info string now evaluating\ninfo string r n b q k b n r \n", 0), 0u)
        << text;
    ASSERT_GE(text.size(), expected.size());
    EXPECT_EQ(text.substr(text.size() - expected.size()), expected);
    std::string sent;
    for (std::istringstream in(text); std::getline(in, sent);)
        EXPECT_TRUE(sent.empty() || sent.rfind("info string ", 0) == 0) << sent;
    // The protocol log has every sent line behind its stamp; no console form anywhere.
    std::string line;
    int stamped = 0;
    for (std::istringstream in(log.str()); std::getline(in, line);) {
        if (line.empty()) continue;
        EXPECT_EQ(line.substr(6, 16), " -->info string ") << line;
        ++stamped;
    }
    EXPECT_EQ(stamped, 12 + 11);  // the report, the heading and the board's ten lines
    EXPECT_EQ(text.find("\nmaterial:"), std::string::npos);
    EXPECT_FALSE(console_copy);
}

// The console report of a full-window evaluation, term label to raw value.
std::map<std::string, int> reported_terms(const Position& p) {
    std::FILE* capture = std::tmpfile();
    std::FILE* saved = output_file;
    output_file = capture;
    prepare_for_evaluation(p);
    PawnRecord record;
    AttackInfo attacks;
    int flag = 0;
    evaluate(p, record, -32000, 32000, flag, 1, attacks);
    output_file = saved;
    std::rewind(capture);
    std::string text;
    for (int c; (c = std::fgetc(capture)) != EOF;) text.push_back(static_cast<char>(c));
    std::fclose(capture);
    std::map<std::string, int> terms;
    std::string line;
    for (std::istringstream in(text.substr(text.find("\nmaterial:"))); std::getline(in, line);) {
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos)
            terms[line.substr(0, colon)] = std::stoi(line.substr(colon + 1));
    }
    return terms;
}

TEST(Evaluate, DrawClampsOnTheFullPathComeAfterAllTerms) {
    // A lone minor piece against pawns: the cannot-win clamp applies after step 11's first
    // part and to the final score, but the pieces and piece-pawn terms join unclamped.
    const char* fens[] = {
        "6k1/ppp5/8/8/4N3/8/8/6K1 w - - 0 1",  "6k1/ppp5/8/8/4N3/8/8/6K1 b - - 0 1",
        "6k1/p7/8/8/4B3/8/8/6K1 w - - 0 1",    "1k6/1p6/8/3N4/8/8/5PPP/6K1 w - - 0 1",
        "6k1/pp6/2p5/8/2B5/8/8/1K6 b - - 0 1",
    };
    const auto cwd = std::filesystem::current_path();
    const auto dir = std::filesystem::temp_directory_path() / "orlo_eval_clamp_test";
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    for (const char* fen : fens) {
        for (const Position& p : {from_fen(fen), mirror_position(from_fen(fen))}) {
            std::map<std::string, int> t = reported_terms(p);
            const Bitboard white_men =
                p.white_knights | p.white_bishops | p.white_rooks | p.white_queens;
            const Bitboard black_men =
                p.black_knights | p.black_bishops | p.black_rooks | p.black_queens;
            const bool white_cannot_win = !p.white_pawns && !black_men &&
                                          popcount(white_men) == 1 &&
                                          (white_men & (p.white_knights | p.white_bishops));
            const bool black_cannot_win = !p.black_pawns && !white_men &&
                                          popcount(black_men) == 1 &&
                                          (black_men & (p.black_knights | p.black_bishops));
            const bool white_moves = !(p.flags & BLACK_TO_MOVE);
            auto clamp = [&](int s) {
                if (white_cannot_win) s = std::min(s, 0);
                if (black_cannot_win) s = std::max(s, 0);
                return s;
            };
            const int pieces = popcount(p.white_pieces | p.black_pieces) -
                               popcount(p.white_pawns | p.black_pawns) - 2;
            const int before_pieces =
                clamp(t["material"] + t["mobility"] + t["pawns"] + t["base pawns"] + t["passers"] +
                      (24 - pieces) * t["passivity"] / 16 + t["king attack"] + t["king shelter"] +
                      t["king endgame"]);
            const int expected =
                clamp(before_pieces + t["pieces"] + t["piece-pawn"] + (white_moves ? 5 : -5));
            EXPECT_EQ(t["total"], expected) << fen;
        }
    }
    std::filesystem::current_path(cwd);
    std::filesystem::remove_all(dir);
}

}  // namespace
