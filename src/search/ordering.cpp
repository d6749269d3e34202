#include "search/ordering.h"

std::array<std::array<std::int32_t, 4096>, 2> history{};
std::array<std::int32_t, 2> history_total{};

void clear_history() {}
void add_history(Color, Move, int) {}
int square_value(const Position&, int) {
    return 0;
}
void order_moves(const Position&, const MoveList&, ScoreList& scores, int count,
                 const AttackInfo&) {
    for (int i = 0; i < count; ++i) scores[i] = 0;
}
int qs_order(const Position&, const MoveList&, ScoreList& scores, int count, int) {
    for (int i = 0; i < count; ++i) scores[i] = 0;
    return QS_FUTILE;
}
int see_move(const Position&, Move) {
    return 0;
}
int see_gain(const Position&, Color, int, Bitboard, int) {
    return 0;
}
Bitboard attackers_to(const Position&, int) {
    return 0;
}
Bitboard xray_behind(const Position&, int, int) {
    return 0;
}
