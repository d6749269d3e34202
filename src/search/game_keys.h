// The keys of the game's positions (root last), filled by the protocol loops and read by the
// search's repetition test. Never overflows: when full, the oldest keys are dropped.
#pragma once

#include <array>
#include <cstdint>

constexpr int KEY_HISTORY_SIZE = 1024;

extern std::array<std::uint64_t, KEY_HISTORY_SIZE> key_history;
extern int key_count;  // entries in use, 0..KEY_HISTORY_SIZE

void clear_key_history();
// Appends a key; a full history first drops its oldest half.
void push_key_history(std::uint64_t key);
