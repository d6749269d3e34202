#include "shell/output.h"

#include <cstdarg>

std::FILE* output_file = stdout;

void out(const char* format, ...) {
    if (!output_file) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(output_file, format, args);
    va_end(args);
    std::fflush(output_file);
}
