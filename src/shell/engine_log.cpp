#include "shell/engine_log.h"

#include <cstdarg>

namespace {
std::FILE* held_log = nullptr;
}

void engine_log_create() {
    if (std::FILE* f = std::fopen(ENGINE_LOG_NAME, "w")) std::fclose(f);
}

void engine_log(const char* format, ...) {
    std::FILE* f = held_log ? held_log : std::fopen(ENGINE_LOG_NAME, "a");
    if (!f) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(f, format, args);
    va_end(args);
    if (f != held_log) std::fclose(f);
}

std::FILE* engine_log_hold() {
    if (!held_log) held_log = std::fopen(ENGINE_LOG_NAME, "a");
    return held_log;
}

void engine_log_release() {
    if (held_log) std::fclose(held_log);
    held_log = nullptr;
}
