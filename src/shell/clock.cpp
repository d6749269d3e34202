#include "shell/clock.h"

#include <chrono>

namespace {
const auto program_start = std::chrono::steady_clock::now();
ClockSource source = nullptr;
}  // namespace

void set_clock_source(ClockSource new_source) {
    source = new_source;
}

double clock_ms_precise() {
    if (source) return source();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                     program_start)
        .count();
}

std::int64_t clock_ms() {
    return static_cast<std::int64_t>(clock_ms_precise());
}
