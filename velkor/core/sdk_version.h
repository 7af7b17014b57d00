// The version this SDK reports to servers and host apps.
#pragma once

namespace velkor {

inline constexpr const char* kSdkVersion = "3.9.6";

}  // namespace velkor
