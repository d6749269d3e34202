#include "movegen/generate_evasions.h"

std::int32_t double_check_count = 0;

int generate_evasions(const Position&, MoveList&, const AttackInfo&, int&) {
    return 0;
}
int legal_filter(Position&, MoveList&, int count) {
    return count;
}
