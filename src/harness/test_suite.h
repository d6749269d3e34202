// The search test suite: fixed-depth searches of the positions of orlotest.txt, their node
// counts compared with those of a reference run (testresult.txt) and written out for the next
// one (newtestresult.txt).
#pragma once

#include <cstdint>
#include <cstdio>

// Searches every usable position of orlotest.txt (working directory) to depth plies and
// prints each node count's ratio to the reference with the running geometric mean, then the
// overall ratio. Returns 1 after a complete run, 0 (printing nothing) when orlotest.txt is
// missing or newtestresult.txt cannot be created.
int run_test_suite(int depth);

// The reference counts of a result file, read one per searched position.
struct ReferenceCounts {
    std::FILE* file = nullptr;  // none: every reference is 1
    bool exhausted = false;     // a word that is no number ended the list
    std::int64_t last = 1;      // kept when no further number can be read
};

// The next reference count: the file's next number when it has one (decimal, "0x" hex or
// leading-zero octal, in full 64 bits); otherwise, for good, the last one read. Numbers
// below 1 count as unreadable: a ratio needs a positive reference.
std::int64_t next_reference(ReferenceCounts& counts);
