#include "app/settings.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "search/trans_table.h"
#include "shell/output.h"

namespace {

constexpr int MAX_KEY_LENGTH = 31;  // longer words are read whole but cannot be keys

// The keys, each with its field and the message that shows the value taken.
struct Key {
    const char* name;
    std::int32_t EngineSettings::*field;
    const char* message;
};
constexpr Key KEYS[] = {
    {"hash", &EngineSettings::hash, "\nhash set to %i MB"},
    {"resign", &EngineSettings::resign, "\nresign set to %i"},
    {"book", &EngineSettings::book, "\nbook set to %i"},
    {"drawclaim", &EngineSettings::drawclaim, "\ndrawclaim set to %i"},
    {"ponder", &EngineSettings::ponder, "\nponder set to %i"},
    {"easymove", &EngineSettings::easymove, "\neasymove set to %i"},
    {"contempt", &EngineSettings::contempt, "\ncontempt set to %i"},
};

int skip_space(std::FILE* file) {
    int c = std::getc(file);
    while (c != EOF && std::isspace(static_cast<unsigned char>(c))) c = std::getc(file);
    return c;
}

// One blank-separated word; false at end of file.
bool read_word(std::FILE* file, char* word) {
    int c = skip_space(file);
    if (c == EOF) return false;
    int length = 0;
    while (c != EOF && !std::isspace(static_cast<unsigned char>(c))) {
        if (length < MAX_KEY_LENGTH) word[length++] = static_cast<char>(c);
        c = std::getc(file);
    }
    word[length] = '\0';
    return true;
}

int digit_value(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}

// An integer with base detection ("0x" hexadecimal, leading 0 octal, else decimal), clamped
// to the 32-bit range. Reads no further than the number; false (nothing used) when there
// is no digit, so that the text is read as the next key.
bool read_integer(std::FILE* file, std::int32_t& value) {
    int c = skip_space(file);
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = std::getc(file);
    }
    int base = 10;
    bool any_digit = false;
    if (c == '0') {
        any_digit = true;
        c = std::getc(file);
        if (c == 'x' || c == 'X') {
            int next = std::getc(file);
            if (digit_value(next) < 16) {
                base = 16;
                c = next;
            } else {
                // "0x" without a hex digit reads as the number 0 followed by "x...".
                if (next != EOF) std::ungetc(next, file);
                value = 0;
                return true;
            }
        } else {
            base = 8;
        }
    }
    long long magnitude = 0;
    while (c != EOF && digit_value(c) < base) {
        any_digit = true;
        magnitude = magnitude * base + digit_value(c);
        if (magnitude > 2147483647LL) magnitude = 2147483647LL;
        c = std::getc(file);
    }
    if (c != EOF) std::ungetc(c, file);
    if (!any_digit) return false;
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

}  // namespace

int read_settings() {
    return read_settings_file(SETTINGS_FILE_NAME);
}

int read_settings_file(const char* name) {
    std::FILE* file = std::fopen(name, "r");
    if (!file) return 0;
    settings = EngineSettings{};
    settings.hash = 32;
    settings.book = 1;

    char key[MAX_KEY_LENGTH + 1];
    while (read_word(file, key)) {
        std::int32_t v = 0;
        if (!read_integer(file, v)) continue;
        for (const Key& k : KEYS) {
            if (std::strcmp(key, k.name) != 0) continue;
            // The search takes the hash size at once; the message shows the size in effect.
            if (k.field == &EngineSettings::hash) v = static_cast<std::int32_t>(set_hash_size(v));
            settings.*k.field = v;
            out(k.message, v);
            break;
        }
    }
    out("\nread settings!\n");
    std::fclose(file);
    return 1;
}
