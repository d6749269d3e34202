#include "board/random.h"

namespace {
std::uint32_t state = 1;
}

int next_random() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
}

std::uint32_t random_state() {
    return state;
}

void set_random_state(std::uint32_t new_state) {
    state = new_state;
}
