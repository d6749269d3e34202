// Platform part: fstat on the input descriptor; the reading goes through the input layer.
#include "shell/poll_input.h"

#include <sys/stat.h>

#include <algorithm>
#include <string_view>

#include "shell/input.h"
#include "shell/move_text_shape.h"
#include "shell/protocol_output.h"

namespace {
constexpr std::size_t PEEK_BYTES = 1024;

std::string_view trimmed(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
}

// Whether the input is a pipe, FIFO or socket. Asked on every call: callers may point the
// input layer at another descriptor, and the answer costs one cheap call every few thousand
// nodes.
bool input_is_pipe() {
    struct stat status {};
    return ::fstat(input_fd, &status) == 0 &&
           (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode));
}
}  // namespace

int poll_input() {
    if (protocol_mode != UCI_MODE || !input_is_pipe()) return 0;
    bool closed = false;
    fill_input_nonblocking(&closed);
    const std::string& waiting = buffered_input();
    if (waiting.empty()) return closed ? 2 : 0;
    const std::string_view peeked(waiting.data(), std::min(waiting.size(), PEEK_BYTES));
    const std::size_t at = peeked.find("ponderhit");
    if (at != std::string_view::npos) {
        // Only the ponderhit line goes: a "stop", "isready" or "quit" before it must still
        // reach the loop. It is a received line like any other, so the log records it.
        log_received_line(discard_buffered_line_at(at));
        send_line("info string ponderhit!");
        return 1;
    }
    return 2;
}

bool ends_analysis(std::string_view line) {
    line = trimmed(line);
    const std::string_view word = line.substr(0, line.find_first_of(" \t"));
    for (std::string_view command : {"undo", "new", "setboard", "exit", "quit"})
        if (word == command) return true;
    return is_move_text(word);
}

int poll_analysis_input() {
    bool closed = false;
    fill_input_nonblocking(&closed);
    if (closed) return 2;
    const std::string& waiting = buffered_input();
    std::size_t start = 0;
    for (std::size_t end; (end = waiting.find('\n', start)) != std::string::npos;) {
        const std::string_view line(waiting.data() + start, end - start);
        if (trimmed(line) == ".") {
            discard_buffered_line_at(start);
            continue;
        }
        if (ends_analysis(line)) return 2;
        start = end + 1;
    }
    return waiting.size() >= INPUT_BUFFER_LIMIT ? 2 : 0;
}
