// Participation answers: arbitrary bytes into ParticipateResult and its dialog.
#include <cstdint>

#include "fuzz/record_round_trip.h"
#include "velkor/model/participate_result.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  fuzz::decodeAndRoundTrip<velkor::ParticipateResult>(
      bytes, [](const auto& a, const auto& b) { return a == b; },
      [](const velkor::ParticipateResult& result) {
        if (result.dialog) (void)result.dialog->mMessage();
      });
  return 0;
}
