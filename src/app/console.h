// The console: banner, start-up, and the command loop at the "\n>orlo " prompt.
#pragma once

// Runs the console until end of input; returns the exit status.
int console_loop();
