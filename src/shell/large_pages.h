// Memory for the big hash tables, on large pages where the system grants them: the tables
// are probed at random, and fewer address-translation misses make every probe cheaper.
#pragma once

#include <cstddef>

// Returns memory for at least `bytes` bytes, or nullptr; release it with free_large.
void* allocate_large(std::size_t bytes);
void free_large(void* memory);
