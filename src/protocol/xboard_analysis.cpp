#include "protocol/xboard_analysis.h"

#include "search/engine_settings.h"
#include "search/think.h"

bool analyse_position(const XboardGame& game) {
    // The search's own view of the position: no book move, no early stop at an easy move.
    EngineSettings analysis_settings = settings;
    analysis_settings.book = 0;
    analysis_settings.easymove = 0;
    Position position = game.position;
    search_flags.pondering = 0;
    search_flags.analysing = 1;
    think(position, 0, 0, analysis_settings, 0);
    search_flags.analysing = 0;
    return search_flags.stop_flag == STOPPED_BY_INPUT;
}
