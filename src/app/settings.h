// The settings file orlo.ini and its reader, which fills the engine settings.
#pragma once

#include "search/engine_settings.h"

constexpr const char* SETTINGS_FILE_NAME = "orlo.ini";

// Reads orlo.ini from the working directory into `settings`, printing one message per key.
// Returns 1 when the file was read, 0 when it could not be opened (nothing printed then).
int read_settings();
// The same for a named file.
int read_settings_file(const char* name);
