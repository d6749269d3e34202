// The millisecond clock, counting from program start (steady, never goes back), and the seam
// through which tests drive it.
#pragma once

#include <cstdint>

std::int64_t clock_ms();
// The same reading with sub-millisecond precision, for rates and log stamps.
double clock_ms_precise();

// While a source is set, every reading of the clock is its value in milliseconds instead of
// the steady clock's: tests make time pass as they choose. nullptr (the default) is the real
// clock.
using ClockSource = double (*)();
void set_clock_source(ClockSource source);
