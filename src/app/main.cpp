#include "app/command_line.h"
#include "app/console.h"

int main(int argc, char** argv) {
    if (const int status = run_command_line(argc, argv); status >= 0) return status;
    return console_loop();
}
