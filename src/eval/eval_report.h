// The printed evaluation report: every raw term of one evaluation, in the console form or
// as protocol "info string" lines.
#pragma once

#include <cstddef>

#include "board/position.h"

struct EvalReport {
    int material;
    int pawns_base;
    int passers;
    int pawns;
    int king_shelter;
    int king_attack;
    int king_endgame;
    int pieces;
    int piece_pawn;
    int passivity;
    int mobility;
    int endgame;
    int total;
};

constexpr int EVAL_REPORT_LINES = 12;
constexpr std::size_t EVAL_REPORT_LINE_SIZE = 64;

// The report's heading, "now evaluating" and the board, as the console prints them (in every
// mode).
void print_eval_heading(const Position& position);

// Prints the report in the form the current mode wants (console text plus a copy in
// orlo.txt, or protocol lines).
void print_eval_report(const EvalReport& report);

// The protocol form: twelve "info string <term>: <value>\n" lines.
void format_eval_report_lines(const EvalReport& report,
                              char (&lines)[EVAL_REPORT_LINES][EVAL_REPORT_LINE_SIZE]);
