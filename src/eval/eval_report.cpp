#include "eval/eval_report.h"

#include <cstdio>

#include "board/fen.h"
#include "shell/engine_log.h"
#include "shell/output.h"
#include "shell/protocol_output.h"

namespace {

void print_console_form(const EvalReport& r) {
    // The log copy has neither the base pawns nor the passers, and fewer tabs after some labels.
    const struct {
        const char* label;
        const char* log_label;  // nullptr: not in the log copy
        int value;
    } lines[] = {
        {"material:\t", "material:\t", r.material},
        {"pawns:\t\t", "pawns:\t", r.pawns},
        {"base pawns:\t", nullptr, r.pawns_base},
        {"passers:\t", nullptr, r.passers},
        {"king attack:\t\t", "king attack:\t\t", r.king_attack},
        {"king shelter:\t\t", "king shelter:\t\t", r.king_shelter},
        {"king endgame:\t\t", "king endgame:\t\t", r.king_endgame},
        {"pieces:\t\t", "pieces:\t", r.pieces},
        {"piece-pawn:\t", "piece-pawn:\t", r.piece_pawn},
        {"passivity:\t", "passivity:\t", r.passivity},
        {"mobility:\t", "mobility:\t", r.mobility},
        {"endgame:\t", "endgame:\t", r.endgame},
        {"total:\t", "total:\t", r.total},
    };
    char log[512]{};
    std::size_t used = 0;
    for (const auto& line : lines) {
        out("\n%s%i", line.label, line.value);
        if (line.log_label && used < sizeof log)
            used +=
                std::snprintf(log + used, sizeof log - used, "\n%s%i", line.log_label, line.value);
    }
    out("\n");
    engine_log("%s\n", log);
}

}  // namespace

void print_eval_heading(const Position& position) {
    // The same text in every mode: interfaces pass over lines they do not know.
    out("\nnow evaluating\n");
    print_board(position);
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
    if (protocol_mode != UCI_MODE) {
        print_console_form(report);
        return;
    }
    char lines[EVAL_REPORT_LINES][EVAL_REPORT_LINE_SIZE];
    format_eval_report_lines(report, lines);
    // Each line keeps its own line end, so the sent copy is followed by an empty line.
    for (const auto& line : lines) send_line(line);
}
