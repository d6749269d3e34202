#include "shell/split_words.h"

std::vector<std::string> split_words(const std::string& line, std::size_t max_words) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (words.size() < max_words) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        words.push_back(line.substr(start, i - start));
    }
    return words;
}
