#pragma once
// The engine's fast random generator: one process-wide 32-bit state advanced
// by a linear congruential step.

#include <cstdint>

namespace enginerandom {

void setState(uint32_t state);
uint32_t state();
// min + a value below max - min + 1; min when max < min is not meaningful.
int integer(int min, int max);
// In [min, max) for min < max.
float real(float min, float max);

} // namespace enginerandom
