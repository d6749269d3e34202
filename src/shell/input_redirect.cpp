// Platform part: pipe, open, write and close on the input descriptor.
#include "shell/input_redirect.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "shell/input.h"

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
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(pipe.write_fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void close_input_pipe(InputPipe& pipe) {
    if (pipe.write_fd >= 0) ::close(pipe.write_fd);
    pipe.write_fd = -1;
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
