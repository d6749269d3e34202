// The version the console's banner and the UCI "id name" line show.
#pragma once

constexpr const char* ENGINE_VERSION = "0.953";
