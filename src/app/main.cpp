#include "app/console.h"

int main() {
    return console_loop();
}
