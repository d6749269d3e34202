#include "shell/protocol_output.h"

#include <cstdarg>

#include "shell/clock.h"
#include "shell/output.h"

ProtocolMode protocol_mode = CONSOLE_MODE;
std::FILE* log_file = nullptr;
double log_start_ms = 0;

bool open_protocol_log(const char* name) {
    close_protocol_log();
    log_start_ms = clock_ms_precise();
    log_file = std::fopen(name, "w");
    return log_file != nullptr;
}

void close_protocol_log() {
    if (log_file) std::fclose(log_file);
    log_file = nullptr;
}

std::int64_t log_stamp_ms() {
    return static_cast<std::int64_t>((clock_ms_precise() - log_start_ms) / 1000.0 * 1000.0);
}

void log_sent_line(const char* text) {
    if (!log_file) return;
    std::fprintf(log_file, "%6lld -->%s\n", static_cast<long long>(log_stamp_ms()), text);
    std::fflush(log_file);
}

void send_line(const char* text) {
    out("%s\n", text);
    log_sent_line(text);
}

void send_line_format(const char* format, ...) {
    char text[4096];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    send_line(text);
}

void log_received_line(const std::string& line) {
    if (log_file) std::fprintf(log_file, "<--%s\n", line.c_str());
}

void log_raw_line(const std::string& line) {
    if (log_file) std::fprintf(log_file, "%s\n", line.c_str());
}
