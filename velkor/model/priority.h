// Server priorities of ads, banners and popups, spread apart at random when decoded: a present
// priority p becomes a float in [p, p + 0.001), so items the server ranks equal come out in a random
// order each time while any real difference of 0.001 or more survives. Absent is exactly 0.
#pragma once

#include <cstdint>
#include <optional>

namespace velkor {

float jitteredPriority(std::optional<float> serverPriority);

// The jitter for a given random draw r: (r * 2^-32) / 1000, in float arithmetic as the value is kept.
float priorityJitter(std::uint32_t r);

}  // namespace velkor
