// Platform part: pipe, open, write and close on the input descriptor.
#include "testsupport/input_redirect.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "shell/input.h"
#include "testsupport/write_all.h"

namespace {
void close_redirected() {
    if (input_fd > 2) ::close(input_fd);
    input_fd = 0;
    reset_input();
}
}  // namespace

bool redirect_input_to_pipe(InputPipe& pipe) {
    int ends[2];
    if (::pipe(ends) != 0) return false;
    close_redirected();
    input_fd = ends[0];
    pipe.write_fd = ends[1];
    return true;
}

bool write_input_pipe(InputPipe& pipe, const std::string& text) {
    return write_all(pipe.write_fd, text);
}

void close_input_pipe(InputPipe& pipe) {
    if (pipe.write_fd >= 0) ::close(pipe.write_fd);
    pipe.write_fd = -1;
}

bool redirect_input_to_text(const std::string& text) {
    InputPipe pipe;
    if (!redirect_input_to_pipe(pipe)) return false;
    // Nobody reads while the text is written, so all of it must fit in the pipe at once.
    int room = ::fcntl(pipe.write_fd, F_GETPIPE_SZ);
    if (room >= 0 && text.size() > static_cast<std::size_t>(room)) {
        const std::size_t wanted = std::min<std::size_t>(text.size(), 1u << 30);
        ::fcntl(pipe.write_fd, F_SETPIPE_SZ, static_cast<int>(wanted));
        room = ::fcntl(pipe.write_fd, F_GETPIPE_SZ);
    }
    const std::size_t fits = room > 0 ? static_cast<std::size_t>(room) : 0;
    const bool whole = text.size() <= fits;
    write_input_pipe(pipe, whole ? text : text.substr(0, fits));
    close_input_pipe(pipe);
    return whole;
}

bool make_input_nonblocking() {
    const int flags = ::fcntl(input_fd, F_GETFL);
    return flags >= 0 && ::fcntl(input_fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

bool redirect_input_to_file(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    close_redirected();
    input_fd = fd;
    return true;
}

void restore_standard_input() {
    close_redirected();
}
