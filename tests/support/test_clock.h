// A clock the test drives in place of the real one, so that time rules are tested without
// real time passing.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Installed for the guard's lifetime (one at a time; the real clock afterwards). It reads
// now_ms plus one millisecond for every nodes_per_ms nodes (alpha-beta and quiescence) the
// current search has counted: time passes as the search works, the same on every run.
// nodes_per_ms 0 holds the clock at now_ms.
struct TestClock {
    explicit TestClock(std::int64_t nodes_per_ms = 0, std::int64_t now_ms = 0);
    ~TestClock();
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;

    // Runs the action once, at the first reading with at least `nodes` counted and before
    // that reading is taken: how a test moves the clock on or feeds input mid-search.
    void at_nodes(std::int64_t nodes, std::function<void()> action);

    std::int64_t nodes_per_ms;
    std::int64_t now_ms;
    // The node count at each reading so far, in order.
    std::vector<std::int64_t> readings;

    struct Pending {
        std::int64_t nodes;
        std::function<void()> action;
    };
    std::vector<Pending> pending;
};

// Alpha-beta and quiescence nodes the current search has counted.
std::int64_t searched_nodes();
