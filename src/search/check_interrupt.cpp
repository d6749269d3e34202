#include <algorithm>
#include <cstdio>
#include <string>

#include "search/alpha_beta.h"
#include "search/search_flags.h"
#include "search/search_state.h"
#include "shell/clock.h"
#include "shell/input.h"
#include "shell/output.h"
#include "shell/poll_input.h"
#include "shell/protocol_output.h"

namespace {

// Is the first waiting line (complete, with its end) "isready"?
bool isready_waiting() {
    const std::string& waiting = buffered_input();
    const std::size_t end = waiting.find('\n');
    if (end == std::string::npos) return false;
    std::size_t first = 0;
    std::size_t last = end;
    while (first < last && (waiting[first] == ' ' || waiting[first] == '\t')) ++first;
    while (last > first &&
           (waiting[last - 1] == ' ' || waiting[last - 1] == '\t' || waiting[last - 1] == '\r'))
        --last;
    return waiting.compare(first, last - first, "isready") == 0;
}

}  // namespace

bool deadline_reached(std::int64_t now, std::int64_t lead) {
    return deadline_at_ms != 0 && now + lead > deadline_at_ms;
}

int check_interrupt() {
#ifdef ORLO_FUZZING
    if (stats.node_count + stats.qs_node_count >= FUZZ_NODE_LIMIT) return 1;
#endif
    const std::int64_t now = clock_ms();
    const std::int64_t elapsed = now - search_start_ms;
    if (elapsed > 4 * time_budget && search_flags.pondering != 1) return 1;
    // The next look may come as late after this one as the latest so far after its last: if
    // that would be past the deadline, the search ends now.
    const std::int64_t last_look = previous_look_ms;
    previous_look_ms = now;
    longest_look_gap_ms = std::max(longest_look_gap_ms, now - last_look);
    if (deadline_reached(now, longest_look_gap_ms)) return 1;
    if (protocol_mode != UCI_MODE) return search_flags.analysing ? poll_analysis_input() : 0;

    int r = poll_input();
    // The protocol wants "isready" answered at once, also while searching; the search goes on.
    while (r == 2 && isready_waiting()) {
        // uci.txt records the line exactly as it came.
        log_received_line(discard_buffered_line_at(0));
        send_line("readyok");
        r = poll_input();
    }
    if (r == 0) return 0;
    if (r == 1) {
        if (search_flags.pondering != 1) return 0;
        search_flags.pondering = 0;
        // The interface's clock runs from the ponderhit, which came after the last look.
        if (deadline_span_ms) deadline_at_ms = last_look + deadline_span_ms;
        if (time_budget > elapsed) {
            send_line_format("info string ponderhit, continue, %lld is smaller than %lld!",
                             static_cast<long long>(elapsed), static_cast<long long>(time_budget));
            return 0;
        }
        send_line_format("info string ponderhit, but time is up %lld > %lld!",
                         static_cast<long long>(elapsed), static_cast<long long>(time_budget));
    }
    send_line_format("info string search stopped (%i)!", r);
    return r;
}
