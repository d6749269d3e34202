#include "search/engine_settings.h"

EngineSettings settings{};
