// Platform part: read() and poll() on the input descriptor.
#include "shell/input.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

int input_fd = 0;

namespace {
std::string buffer;
bool input_ended = false;

// Reads once and appends; false when nothing was read. A descriptor left non-blocking says
// "nothing yet" with EAGAIN, which is not the end of input: with `wait` the read waits for
// bytes, without it it returns false and leaves the input open.
bool read_more(bool wait = true) {
    if (input_ended) return false;
    char chunk[4096];
    for (;;) {
        ssize_t n = ::read(input_fd, chunk, sizeof chunk);
        if (n > 0) {
            buffer.append(chunk, static_cast<std::size_t>(n));
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!wait) return false;
            pollfd p{input_fd, POLLIN, 0};
            while (::poll(&p, 1, -1) < 0 && errno == EINTR) {
            }
            continue;
        }
        input_ended = true;
        return false;
    }
}
}  // namespace

bool read_line(std::string& line) {
    line.clear();
    auto take = [&line](std::size_t count) {
        std::size_t room = MAX_LINE_LENGTH - std::min(line.size(), MAX_LINE_LENGTH);
        line.append(buffer, 0, std::min(count, room));
    };
    std::size_t scanned = 0;
    for (;;) {
        std::size_t end = buffer.find('\n', scanned);
        if (end != std::string::npos) {
            take(end);
            buffer.erase(0, end + 1);
            break;
        }
        // A long line is moved out of the buffer piece by piece, so memory stays bounded.
        if (buffer.size() > 4096) {
            take(buffer.size());
            buffer.clear();
        }
        scanned = buffer.size();
        if (!read_more()) {
            if (buffer.empty() && line.empty()) return false;
            take(buffer.size());
            buffer.clear();
            break;
        }
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

std::size_t fill_input_nonblocking(bool* closed) {
    for (;;) {
        if (input_ended) break;
        pollfd p{input_fd, POLLIN, 0};
        int ready = ::poll(&p, 1, 0);
        if (ready <= 0 || !(p.revents & (POLLIN | POLLHUP | POLLERR))) break;
        if (!read_more(false)) break;
        if (buffer.size() >= INPUT_BUFFER_LIMIT) break;
    }
    if (closed) *closed = input_ended;
    return buffer.size();
}

const std::string& buffered_input() {
    return buffer;
}

std::string discard_buffered_line_at(std::size_t offset) {
    if (offset >= buffer.size()) return std::string();
    std::size_t start = offset == 0 ? std::string::npos : buffer.rfind('\n', offset - 1);
    start = start == std::string::npos ? 0 : start + 1;
    std::size_t end = buffer.find('\n', offset);
    std::string line =
        buffer.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (line.size() > MAX_LINE_LENGTH) line.resize(MAX_LINE_LENGTH);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    buffer.erase(start, end == std::string::npos ? std::string::npos : end + 1 - start);
    return line;
}

bool wait_for_input() {
    if (!buffer.empty()) return true;
    if (input_ended) return false;
    pollfd p{input_fd, POLLIN, -1};
    while (::poll(&p, 1, -1) < 0 && errno == EINTR) {
    }
    return true;
}

void reset_input() {
    buffer.clear();
    input_ended = false;
}
