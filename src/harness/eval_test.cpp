#include "harness/eval_test.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "board/make_move.h"
#include "board/usable.h"
#include "board/zobrist.h"
#include "eval/evaluate.h"
#include "shell/output.h"

namespace {

constexpr int TEST_LINE_WORDS = 8;
bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Decimal, clamped to the int range; anything unreadable is 0.
int read_score(std::string_view word) {
    std::string text(word);
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value < -std::numeric_limits<int>::max()) return -std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

void read_placement(std::string_view word, Position& p) {
    static constexpr std::string_view LETTERS = "kqrbnpKQRBNP";  // record order of the boards
    int counter = 0;
    for (char ch : word) {
        if (counter >= 64) break;
        if (ch >= '0' && ch <= '9') {
            counter += ch - '0';
            continue;
        }
        std::size_t index = LETTERS.find(ch);
        if (index == std::string_view::npos) continue;
        board_at(p, static_cast<int>(index)) |= bit((7 - counter / 8) * 8 + counter % 8);
        ++counter;
    }
}

std::uint32_t read_castling(std::string_view word) {
    std::uint32_t flags = 0;
    for (std::size_t i = 0; i < word.size() && i < 4; ++i) {
        char ch = word[i];
        if (ch == '-') break;
        if (ch == 'K') flags |= WS;
        if (ch == 'Q') flags |= WL;
        if (ch == 'k') flags |= BS;
        if (ch == 'q') flags |= BL;
    }
    return flags;
}

struct Deviation {
    float linear = 0;
    float square = 0;
};

void add_deviation(Deviation& d, long long difference) {
    long long magnitude = difference < 0 ? -difference : difference;
    d.linear += static_cast<float>(magnitude);
    d.square += static_cast<float>(magnitude * magnitude);
}

void print_deviation(const char* name, const Deviation& d, int n) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float linear = n ? d.linear / static_cast<float>(n) : nan;
    const float quad = n ? std::sqrt(d.square / static_cast<float>(n)) : nan;
    out("\n%s: linear deviation %.2f, quad deviation %.2f", name, linear, quad);
}

}  // namespace

bool read_test_line(std::FILE* file, std::string& line) {
    line.clear();
    int ch;
    bool any = false;
    while ((ch = std::fgetc(file)) != EOF) {
        any = true;
        if (ch == '\n') break;
        if (line.size() < MAX_TEST_LINE) line.push_back(static_cast<char>(ch));
    }
    return any;
}

int test_evaluation(const Position& position) {
    pawn_hash_key = compute_pawn_hash_key(position);
    piece_counts = count_pieces(position);
    PawnRecord record;
    AttackInfo attacks;
    int flag_word = 0;
    return evaluate(position, record, -32000, 32000, flag_word, 0, attacks);
}

int parse_test_line(std::string_view text, Position& position, int& old_score, int& search_score) {
    std::string_view words[TEST_LINE_WORDS];
    int count = 0;
    std::size_t i = 0;
    while (count < TEST_LINE_WORDS) {
        while (i < text.size() && is_blank(text[i])) ++i;
        if (i >= text.size()) break;
        std::size_t start = i;
        while (i < text.size() && !is_blank(text[i])) ++i;
        words[count++] = text.substr(start, i - start);
    }

    position = Position{};
    read_placement(words[0], position);
    position.flags = words[1] == "w" ? 0 : BLACK_TO_MOVE;
    position.flags |= read_castling(words[2]);
    position.white_pieces = position.white_king | position.white_queens | position.white_rooks |
                            position.white_bishops | position.white_knights | position.white_pawns;
    position.black_pieces = position.black_king | position.black_queens | position.black_rooks |
                            position.black_bishops | position.black_knights | position.black_pawns;
    position.ep_square = 0;
    old_score = read_score(words[6]);
    search_score = read_score(words[7]);
    return count == TEST_LINE_WORDS ? 1 : 0;
}

int run_eval_test() {
    std::FILE* file = std::fopen("orlotest.txt", "rb");
    if (!file) return 0;

    int n = 0, new_better = 0, old_better = 0;
    Deviation old_deviation, new_deviation;
    std::string line;
    while (read_test_line(file, line)) {
        Position position;
        int old_score = 0, search_score = 0;
        if (!parse_test_line(line, position, old_score, search_score)) continue;
        if (!position_is_usable(position)) continue;
        const long long old_difference = static_cast<long long>(old_score) - search_score;
        if (old_difference > 100 || old_difference < -100) continue;

        ++n;
        const int new_score = test_evaluation(position);
        out("old: %i new %i search %i\n", old_score, new_score, search_score);

        const long long new_difference = static_cast<long long>(new_score) - search_score;
        add_deviation(old_deviation, old_difference);
        add_deviation(new_deviation, new_difference);
        const long long old_distance = old_difference < 0 ? -old_difference : old_difference;
        const long long new_distance = new_difference < 0 ? -new_difference : new_difference;
        if (new_distance < old_distance) ++new_better;
        if (old_distance < new_distance) ++old_better;
    }
    std::fclose(file);

    print_deviation("old", old_deviation, n);
    print_deviation("new", new_deviation, n);
    out("\nnew better: %i  old better %i", new_better, old_better);
    return 1;
}
