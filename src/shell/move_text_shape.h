// The shape of coordinate move text, for code that sorts input lines before any board is at hand.
#pragma once

#include <string_view>

// Has the word the form of coordinate move text: four square characters and an optional
// promotion letter (q, r, b, n)? Legality is not asked.
constexpr bool is_move_text(std::string_view word) {
    if (word.size() != 4 && word.size() != 5) return false;
    for (std::size_t i = 0; i < 4; i += 2)
        if (word[i] < 'a' || word[i] > 'h' || word[i + 1] < '1' || word[i + 1] > '8') return false;
    return word.size() == 4 || std::string_view("qrbn").find(word[4]) != std::string_view::npos;
}
