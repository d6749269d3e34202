#include "support/test_clock.h"

#include "search/search_state.h"
#include "shell/clock.h"

namespace {

TestClock* installed = nullptr;

double read_test_clock() {
    TestClock& clock = *installed;
    // Each due action leaves the list before it runs: it may schedule others.
    for (std::size_t i = 0; i < clock.pending.size();) {
        if (searched_nodes() < clock.pending[i].nodes) {
            ++i;
            continue;
        }
        const std::function<void()> action = std::move(clock.pending[i].action);
        clock.pending.erase(clock.pending.begin() + static_cast<std::ptrdiff_t>(i));
        action();
        i = 0;
    }
    const std::int64_t nodes = searched_nodes();
    clock.readings.push_back(nodes);
    const std::int64_t passed = clock.nodes_per_ms ? nodes / clock.nodes_per_ms : 0;
    return static_cast<double>(clock.now_ms + passed);
}

}  // namespace

std::int64_t searched_nodes() {
    return stats.node_count + stats.qs_node_count;
}

TestClock::TestClock(std::int64_t nodes_per_ms_in, std::int64_t now_ms_in)
    : nodes_per_ms(nodes_per_ms_in), now_ms(now_ms_in) {
    installed = this;
    set_clock_source(read_test_clock);
}

TestClock::~TestClock() {
    set_clock_source(nullptr);
    installed = nullptr;
}

void TestClock::at_nodes(std::int64_t nodes, std::function<void()> action) {
    pending.push_back({nodes, std::move(action)});
}
