// "go" in the UCI loop: the search it asks for, the wait for "stop" or "ponderhit" that the
// protocol requires before "bestmove" after "go infinite" and "go ponder", and the reply.
#pragma once

#include <string>

struct UciSession;

void uci_go(UciSession& session, const std::string& line);

// Blocks on the input until "stop", "ponderhit" (not after "go infinite") or any other line
// arrives, answering "isready" meanwhile. A "ponderhit" is consumed; another line is left in
// the session to be handled next. Returns at the end of input too.
void wait_for_release(UciSession& session, bool infinite);
