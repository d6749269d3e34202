#include "testsupport/protocol_lines.h"

#include <set>
#include <sstream>

namespace {

bool is_integer(const std::string& word) {
    std::size_t i = (!word.empty() && word[0] == '-') ? 1 : 0;
    if (i >= word.size()) return false;
    for (; i < word.size(); ++i)
        if (word[i] < '0' || word[i] > '9') return false;
    return true;
}

std::vector<std::string> words_of(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string word;
    while (in >> word) words.push_back(word);
    return words;
}

bool starts_with(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// "feature NAME=VALUE ...": at least one pair, each with a name before its "=".
bool well_formed_feature(const std::string& line) {
    const std::vector<std::string> words = words_of(line);
    if (words.size() < 2 || words[0] != "feature") return false;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::size_t equals = words[i].find('=');
        if (equals == std::string::npos || equals == 0) return false;
    }
    return true;
}

// "1-0 {White mates}", "0-1 {...}", "1/2-1/2 {...}".
bool well_formed_result(const std::string& line) {
    for (const char* score : {"1-0 {", "0-1 {", "1/2-1/2 {"})
        if (starts_with(line, score)) return line.back() == '}';
    return false;
}

}  // namespace

bool well_formed_info(const std::string& line) {
    static const std::set<std::string> numeric = {"depth",   "seldepth",       "time",     "nodes",
                                                  "multipv", "currmovenumber", "hashfull", "nps",
                                                  "tbhits",  "cpuload",        "sbhits"};
    if (!starts_with(line, "info ")) return false;
    const std::vector<std::string> words = words_of(line);
    if (words.size() < 2) return false;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& key = words[i];
        if (key == "string") return true;  // free text to the end
        if (numeric.count(key)) {
            if (++i >= words.size() || !is_integer(words[i])) return false;
        } else if (key == "currmove") {
            if (++i >= words.size() || !is_move_text(words[i])) return false;
        } else if (key == "score") {
            if (i + 2 >= words.size()) return false;
            if (words[i + 1] != "cp" && words[i + 1] != "mate") return false;
            if (!is_integer(words[i + 2])) return false;
            i += 2;
            if (i + 1 < words.size() &&
                (words[i + 1] == "lowerbound" || words[i + 1] == "upperbound"))
                ++i;
        } else if (key == "pv" || key == "refutation") {
            if (i + 1 >= words.size()) return false;
            for (++i; i < words.size(); ++i)
                if (!is_move_text(words[i])) return false;
        } else {
            return false;
        }
    }
    return true;
}

bool well_formed_bestmove(const std::string& line) {
    const std::vector<std::string> words = words_of(line);
    if (words.size() != 2 && words.size() != 4) return false;
    std::string joined = words[0] + " " + words[1];
    if (words.size() == 4) joined += " " + words[2] + " " + words[3];
    if (line != joined || words[0] != "bestmove") return false;
    if (words[1] != "0000" && !is_move_text(words[1])) return false;
    return words.size() == 2 || (words[2] == "ponder" && is_move_text(words[3]));
}

bool well_formed_thinking(const std::string& line) {
    const std::vector<std::string> words = words_of(line);
    if (words.size() < 5) return false;
    for (int i = 0; i < 4; ++i)
        if (!is_integer(words[i])) return false;
    for (std::size_t i = 4; i < words.size(); ++i)
        if (!is_move_text(words[i]) && !(words[i] == "." && i + 1 == words.size())) return false;
    return true;
}

bool is_table_wipe_line(const std::string& line) {
    if (line == " ") return true;
    // "hash cleared/aged in %.3f s": digits, a point, three digits.
    const std::string head = "hash cleared/aged in ";
    const std::string tail = " s";
    if (!starts_with(line, head) || line.size() < head.size() + 5 + tail.size()) return false;
    if (line.compare(line.size() - tail.size(), tail.size(), tail) != 0) return false;
    const std::string figure = line.substr(head.size(), line.size() - head.size() - tail.size());
    const std::size_t point = figure.size() - 4;
    for (std::size_t i = 0; i < figure.size(); ++i)
        if (i == point ? figure[i] != '.' : (figure[i] < '0' || figure[i] > '9')) return false;
    return true;
}

bool is_eval_heading_line(const std::string& line) {
    if (line == "now evaluating" || line == "white to move" || line == "black to move") return true;
    const std::string castling = "castling : WS WL BS BL ";
    if (starts_with(line, castling)) {
        // Four rights, each 0 or 1, blank-separated.
        const std::string rights = line.substr(castling.size());
        if (rights.size() != 7) return false;
        for (std::size_t i = 0; i < rights.size(); ++i) {
            const bool ok = i % 2 ? rights[i] == ' ' : (rights[i] == '0' || rights[i] == '1');
            if (!ok) return false;
        }
        return true;
    }
    // A rank: eight squares, each a piece letter or "." and a blank.
    if (line.size() != 16) return false;
    for (std::size_t i = 0; i < line.size(); i += 2)
        if (std::string("KQRBNPkqrbnp.").find(line[i]) == std::string::npos || line[i + 1] != ' ')
            return false;
    return true;
}

bool is_uci_line(const std::string& line) {
    if (line.empty()) return true;
    if (is_table_wipe_line(line) || is_eval_heading_line(line)) return true;
    if (line == "uciok" || line == "readyok") return true;
    if (starts_with(line, "id name ") || starts_with(line, "id author ")) return true;
    if (starts_with(line, "option name ")) return line.find(" type ") != std::string::npos;
    if (starts_with(line, "info")) return well_formed_info(line);
    if (starts_with(line, "bestmove")) return well_formed_bestmove(line);
    return false;
}

bool is_xboard_line(const std::string& line) {
    if (line.empty() || is_table_wipe_line(line)) return true;
    if (line == "resign") return true;
    if (starts_with(line, "feature ")) return well_formed_feature(line);
    if (starts_with(line, "pong ")) return true;  // echoes the ping's word, whatever it was
    if (starts_with(line, "move "))
        return words_of(line).size() == 2 && is_move_text(line.substr(5));
    if (starts_with(line, "tellothers ")) return well_formed_thinking(line.substr(11));
    if (starts_with(line, "tellusererror ") || starts_with(line, "telluser ")) return true;
    if (well_formed_result(line)) return true;
    return well_formed_thinking(line);
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}
