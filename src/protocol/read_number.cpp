#include "protocol/read_number.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

int read_int(const std::string& word) {
    errno = 0;
    long long value = std::strtoll(word.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < -INT_MAX) return -INT_MAX;
    return static_cast<int>(value);
}
