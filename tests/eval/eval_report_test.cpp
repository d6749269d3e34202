// The evaluation report of the console's eval command and its UCI form.
#include <gtest/gtest.h>

#include <regex>

#include "board/fen.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "shell/protocol_output.h"
#include "support/engine_runner.h"
#include "support/search_run.h"

namespace {

TEST(EvalReport, ConsoleAndUciLinesAndTheirLogs) {
    for (ProtocolMode mode : {CONSOLE_MODE, UCI_MODE}) {
        const std::string dir = make_scratch_dir("eval_report");
        InDirectory in(dir);
        CapturedOutput capture;
        protocol_mode = mode;
        if (mode == UCI_MODE) open_protocol_log("uci.txt");
        piece_counts = count_pieces(start_position);
        pawn_hash_key = compute_pawn_hash_key(start_position);
        PawnRecord record;
        AttackInfo attacks;
        int flag = 0;
        EXPECT_EQ(evaluate(start_position, record, -32000, 32000, flag, 1, attacks), 5);
        if (mode == UCI_MODE) close_protocol_log();
        protocol_mode = CONSOLE_MODE;
        const std::string printed = capture.text();
        // The heading and the board come first, as the console prints them, in both modes.
        EXPECT_EQ(printed.rfind("\nnow evaluating\n" + board_diagram(start_position, true), 0), 0u)
            << printed;
        if (mode == CONSOLE_MODE) {
            EXPECT_EQ(printed.substr(printed.find("\nmaterial:")),
                      "\nmaterial:\t0\npawns:\t\t0\nbase pawns:\t0\npassers:\t0\nking attack:\t\t0"
                      "\nking shelter:\t\t0\nking endgame:\t\t0\npieces:\t\t0\npiece-pawn:\t0"
                      "\npassivity:\t0\nmobility:\t0\nendgame:\t0\ntotal:\t5\n");
            EXPECT_EQ(read_file("orlo.txt"),
                      "\nmaterial:\t0\npawns:\t0\nking attack:\t\t0\nking shelter:\t\t0"
                      "\nking endgame:\t\t0\npieces:\t0\npiece-pawn:\t0\npassivity:\t0"
                      "\nmobility:\t0\nendgame:\t0\ntotal:\t5\n");
            continue;
        }
        // Each term line is sent with its own line end, and stamped in the log; no console form.
        std::string expected, logged;
        for (const char* label :
             {"material", "pawns base", "passers", "pawns", "king shelter", "king attack",
              "king endgame", "pieces", "piece-pawn interaction", "mobility", "endgame", "total"}) {
            const std::string line = std::string("info string ") + label + ": " +
                                     (std::string(label) == "total" ? "5" : "0") + "\n";
            expected += line + "\n";
            logged += "[ \\d]{5}\\d -->" + line + "\n";
        }
        ASSERT_GE(printed.size(), expected.size());
        EXPECT_EQ(printed.substr(printed.size() - expected.size()), expected);
        const std::string log = read_file("uci.txt");
        EXPECT_TRUE(std::regex_match(log, std::regex(logged + "\n*"))) << log;
        EXPECT_EQ(read_file("orlo.txt"), "");
    }
}

}  // namespace
