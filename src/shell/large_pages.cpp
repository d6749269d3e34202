// Platform part: 2 MB alignment and the transparent-huge-page advice.
#include "shell/large_pages.h"

#include <sys/mman.h>

#include <cstdlib>

namespace {
constexpr std::size_t LARGE_PAGE = std::size_t{2} << 20;
}

void* allocate_large(std::size_t bytes) {
    if (bytes == 0) bytes = 1;
    std::size_t rounded = (bytes + LARGE_PAGE - 1) / LARGE_PAGE * LARGE_PAGE;
    if (rounded < bytes) return nullptr;
    void* memory = std::aligned_alloc(LARGE_PAGE, rounded);
    if (memory) ::madvise(memory, rounded, MADV_HUGEPAGE);
    return memory;
}

void free_large(void* memory) {
    std::free(memory);
}
