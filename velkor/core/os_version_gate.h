// Where the SDK behaves differently on older phone OS versions, it asks here.
#pragma once

#include <string_view>

namespace velkor {

// Whether the phone's OS version is at least `version`, read from the current ui::Device at each
// call. While the host has set no phone version (the device then reports this machine's own
// kernel release), every gate takes its newest branch.
bool isOsVersionAtLeast(std::string_view version);

}  // namespace velkor
