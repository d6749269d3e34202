#include "book/make_book.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <unordered_map>
#include <vector>

#include "board/fen.h"
#include "board/make_move.h"
#include "board/zobrist.h"
#include "movegen/generate_moves.h"

namespace {

struct MadeEntry {
    std::string fen;
    std::string moves;
    std::int64_t weight;
};

// The legal move of the position whose text is `word`, or 0.
Move find_move(const Position& position, const std::string& word) {
    MoveList list;
    const int count = generate_moves(position, list);
    char text[8];
    for (int i = 0; i < count; ++i) {
        move_to_text(position, list[i], text);
        if (word != text) continue;
        Position after = position;
        if (make_move(after, list[i])) return list[i];
    }
    return 0;
}

// A count: decimal digits only, at most 32 bits.
bool read_count(const std::string& word, std::int64_t& count) {
    if (word.empty() || word.size() > 10) return false;
    for (char c : word)
        if (c < '0' || c > '9') return false;
    count = std::strtoll(word.c_str(), nullptr, 10);
    return count <= INT32_MAX;
}

}  // namespace

int make_book(const std::string& openings, std::string& book, std::string& errors) {
    std::vector<MadeEntry> entries;
    std::unordered_map<std::string, std::size_t> index_of;
    std::istringstream input(openings);
    std::string line;
    int line_number = 0, faulty = 0;
    // Playing the moves touches the global keys and counters; they are put back at the end.
    const PieceCounts saved_counts = piece_counts;
    const std::uint64_t saved_key = hash_key, saved_pawn_key = pawn_hash_key;

    while (std::getline(input, line)) {
        ++line_number;
        line = line.substr(0, line.find('#'));
        std::istringstream words_in(line);
        std::vector<std::string> words;
        for (std::string word; words_in >> word;) words.push_back(word);
        if (words.empty()) continue;

        std::int64_t count = 0;
        if (words.size() < 2 || !read_count(words.back(), count)) {
            errors += "line " + std::to_string(line_number) + ": moves and a count expected\n";
            ++faulty;
            continue;
        }
        words.pop_back();

        // The positions of this line, checked in full before any of them counts.
        std::vector<std::pair<std::string, std::string>> path;
        Position position = start_position;
        std::string moves;
        bool legal = true;
        for (const std::string& word : words) {
            Move move = find_move(position, word);
            if (!move) {
                errors += "line " + std::to_string(line_number) + ": illegal move " + word + "\n";
                legal = false;
                break;
            }
            make_move(position, move);
            moves += moves.empty() ? word : " " + word;
            char fen[FEN_BUFFER_SIZE];
            write_fen(position, fen);
            path.emplace_back(fen, moves);
        }
        if (!legal) {
            ++faulty;
            continue;
        }

        std::unordered_map<std::string, bool> seen;  // a line through a position counts once
        for (const auto& [fen, first_moves] : path) {
            if (seen[fen]) continue;
            seen[fen] = true;
            auto found = index_of.find(fen);
            if (found == index_of.end()) {
                index_of[fen] = entries.size();
                entries.push_back({fen, first_moves, count});
            } else {
                entries[found->second].weight += count;
            }
        }
    }
    piece_counts = saved_counts;
    hash_key = saved_key;
    pawn_hash_key = saved_pawn_key;

    for (const MadeEntry& entry : entries) {
        // The book reads 32-bit weights; a larger sum is written as the largest one.
        std::int64_t weight = entry.weight > INT32_MAX ? INT32_MAX : entry.weight;
        book += entry.fen + " \"" + entry.moves + "\" " + std::to_string(weight) + " 0 0\n";
    }
    return faulty;
}
