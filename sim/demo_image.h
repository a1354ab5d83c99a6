#pragma once
// The memory of the simulator's built-in demo radio.

#include "link/radio_sim.h"
#include "model/result.h"

namespace qx::sim {

/// Band data 400-470 MHz, a dozen channels with tones and aliases, default settings; every
/// address the link never transfers is FF.
Result<RadioMemory> demoImage();

}  // namespace qx::sim
