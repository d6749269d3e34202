#include "shell/clock.h"

#include <chrono>

namespace {
const auto program_start = std::chrono::steady_clock::now();
}

double clock_ms_precise() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                     program_start)
        .count();
}

std::int64_t clock_ms() {
    return static_cast<std::int64_t>(clock_ms_precise());
}
