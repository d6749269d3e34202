// The millisecond clock, counting from program start (steady, never goes back).
#pragma once

#include <cstdint>

std::int64_t clock_ms();
// The same reading with sub-millisecond precision, for rates and log stamps.
double clock_ms_precise();
