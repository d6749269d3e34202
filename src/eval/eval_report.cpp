#include "eval/eval_report.h"

#include <cstdio>
#include <string>

#include "board/fen.h"
#include "shell/engine_log.h"
#include "shell/output.h"
#include "shell/protocol_output.h"

namespace {

void print_console_form(const EvalReport& r) {
    out("\nmaterial:\t%i", r.material);
    out("\npawns:\t\t%i", r.pawns);
    out("\nbase pawns:\t%i", r.pawns_base);
    out("\npassers:\t%i", r.passers);
    out("\nking attack:\t\t%i", r.king_attack);
    out("\nking shelter:\t\t%i", r.king_shelter);
    out("\nking endgame:\t\t%i", r.king_endgame);
    out("\npieces:\t\t%i", r.pieces);
    out("\npiece-pawn:\t%i", r.piece_pawn);
    out("\npassivity:\t%i", r.passivity);
    out("\nmobility:\t%i", r.mobility);
    out("\nendgame:\t%i", r.endgame);
    out("\ntotal:\t%i\n", r.total);
    // The log copy has neither the base pawns nor the passers.
    engine_log(
        "\nmaterial:\t%i\npawns:\t%i\nking attack:\t\t%i\nking shelter:\t\t%i"
        "\nking endgame:\t\t%i\npieces:\t%i\npiece-pawn:\t%i\npassivity:\t%i"
        "\nmobility:\t%i\nendgame:\t%i\ntotal:\t%i\n",
        r.material, r.pawns, r.king_attack, r.king_shelter, r.king_endgame, r.pieces, r.piece_pawn,
        r.passivity, r.mobility, r.endgame, r.total);
}

}  // namespace

void print_eval_heading(const Position& position) {
    if (protocol_mode != 2) {
        out("\nnow evaluating\n");
        print_board(position);
        return;
    }
    send_line("info string now evaluating");
    const std::string diagram = board_diagram(position, true);
    std::size_t start = 0;
    while (start < diagram.size()) {
        std::size_t end = diagram.find('\n', start);
        if (end == std::string::npos) end = diagram.size();
        if (end > start) send_line(("info string " + diagram.substr(start, end - start)).c_str());
        start = end + 1;
    }
}

void format_eval_report_lines(const EvalReport& r,
                              char (&lines)[EVAL_REPORT_LINES][EVAL_REPORT_LINE_SIZE]) {
    const struct {
        const char* label;
        int value;
    } entries[EVAL_REPORT_LINES] = {
        {"material", r.material},
        {"pawns base", r.pawns_base},
        {"passers", r.passers},
        {"pawns", r.pawns},
        {"king shelter", r.king_shelter},
        {"king attack", r.king_attack},
        {"king endgame", r.king_endgame},
        {"pieces", r.pieces},
        {"piece-pawn interaction", r.piece_pawn},
        {"mobility", r.mobility},
        {"endgame", r.endgame},
        {"total", r.total},
    };
    for (int i = 0; i < EVAL_REPORT_LINES; ++i)
        std::snprintf(lines[i], EVAL_REPORT_LINE_SIZE, "info string %s: %i\n", entries[i].label,
                      entries[i].value);
}

void print_eval_report(const EvalReport& report) {
    // Only a UCI interface gets protocol lines; the console and xboard get the text form.
    if (protocol_mode != 2) {
        print_console_form(report);
        return;
    }
    char lines[EVAL_REPORT_LINES][EVAL_REPORT_LINE_SIZE];
    format_eval_report_lines(report, lines);
    // Each line keeps its own line end, so the sent copy is followed by an empty line.
    for (const auto& line : lines) send_line(line);
}
