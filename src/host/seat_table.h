#pragma once

// The seat table belongs to the game engine, which works on it; the host keeps this name.
#include "host/engine/seat_table.h"
