// Move ordering: scores for the full-width and quiescence lists, the history tables, and
// the static exchange evaluator that judges captures and checks.
#pragma once

#include <array>
#include <cstdint>

#include "board/position.h"
#include "movegen/move_list.h"

struct AttackInfo;

// One ordering score per move, at the move's index.
using ScoreList = std::array<std::int32_t, MAX_MOVES>;

// Fixed exchange values, independent of the evaluation weights.
constexpr int SEE_PAWN = 100;
constexpr int SEE_KNIGHT = 300;
constexpr int SEE_BISHOP = 300;
constexpr int SEE_ROOK = 500;
constexpr int SEE_QUEEN = 900;
constexpr int SEE_KING = 900;
// qs_order's score of a futile move, and its result when every move is futile.
constexpr int QS_FUTILE = -3000;

// history[side][from * 64 + to] and the per-side totals; cleared at the start of a search.
extern std::array<std::array<std::int32_t, 4096>, 2> history;
extern std::array<std::int32_t, 2> history_total;
void clear_history();
// Credits the best move of a node searched at `depth` (eighths): (depth / 8)^2.
void add_history(Color side, Move move, int depth);

// 0 empty, 100 pawn, 300 knight or bishop, 500 rook, 900 queen or king (either colour).
int square_value(const Position& position, int square);

// Scores a full-width list; attack_info must describe this position.
void order_moves(const Position& position, const MoveList& moves, ScoreList& scores, int count,
                 const AttackInfo& attack_info);
// Scores a quiescence list against threshold; returns the highest score (QS_FUTILE if none).
int qs_order(const Position& position, const MoveList& moves, ScoreList& scores, int count,
             int threshold);

// Exchange value of the move for the mover, in centipawns; may be negative.
int see_move(const Position& position, Move move);
// What `side` gains (at least 0) by capturing a piece worth `value` on `square`, both sides
// then capturing with their cheapest attacker from `attackers` while it pays.
int see_gain(const Position& position, Color side, int value, Bitboard attackers, int square);
// Every piece of either colour attacking the square, with the real occupancy.
Bitboard attackers_to(const Position& position, int square);
// The slider of either colour revealed on the line from target through vacated once the
// piece on vacated has gone, if it moves along that line; else empty.
Bitboard xray_behind(const Position& position, int target, int vacated);
