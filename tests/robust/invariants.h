// What must hold after every tick, whatever keys arrived.
#pragma once

#include "engine.h"

#include <string>

// Returns an empty string when every invariant holds, else the first broken one.
std::string brokenInvariant(const Game& g);
