#include "shell/poll_input.h"

int poll_input() {
    return 0;
}
