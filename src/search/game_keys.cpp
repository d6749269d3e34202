#include "search/game_keys.h"

#include <algorithm>

std::array<std::uint64_t, KEY_HISTORY_SIZE> key_history{};
int key_count = 0;

void clear_key_history() {
    key_count = 0;
}

void push_key_history(std::uint64_t key) {
    if (key_count < 0 || key_count > KEY_HISTORY_SIZE) key_count = 0;
    if (key_count == KEY_HISTORY_SIZE) {
        // Only the last 20 keys are ever read; dropping half keeps pushes cheap.
        constexpr int keep = KEY_HISTORY_SIZE / 2;
        std::copy(key_history.end() - keep, key_history.end(), key_history.begin());
        key_count = keep;
    }
    key_history[key_count++] = key;
}
