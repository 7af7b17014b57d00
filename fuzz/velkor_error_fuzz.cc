// Server error bodies: arbitrary bytes into VelkorError, its dialog and their shown messages.
#include <cstdint>

#include "fuzz/record_round_trip.h"
#include "velkor/model/velkor_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fuzz::decodeAndRoundTrip<velkor::VelkorError>(
      bytes, [](const auto& a, const auto& b) { return a == b; },
      [](const velkor::VelkorError& error) {
        (void)error.toError().description();
        (void)error.mMessage();
        if (error.dialog) (void)error.dialog->mMessage();
      });
  return 0;
}
