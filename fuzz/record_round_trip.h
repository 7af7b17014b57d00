// What every server record must survive: arbitrary bytes decode (as the REST clients decode them)
// or fail with an error, never a crash, hang or leak; whatever decodes encodes, and the encoding
// decodes back (with the records' own keys) to the same record.
#pragma once

#include <cstdlib>
#include <functional>
#include <string_view>

#include "platform/base/json_decoder.h"
#include "platform/base/json_encoder.h"

namespace fuzz {

// `same` compares the record with its read-back copy; `use` exercises what callers derive from it.
template <class T>
void decodeAndRoundTrip(std::string_view bytes, const std::function<bool(const T&, const T&)>& same,
                        const std::function<void(const T&)>& use) {
  base::JsonDecoder decoder;
  decoder.keyDecodingStrategy = base::KeyDecodingStrategy::convertFromSnakeCase;
  auto decoded = decoder.decode<T>(bytes);
  if (!decoded) {
    (void)decoded.error().description();
    return;
  }
  use(*decoded);
  auto text = base::JsonEncoder().encode(*decoded);
  if (!text) std::abort();
  auto again = base::JsonDecoder().decode<T>(*text);
  if (!again || !same(*decoded, *again)) std::abort();
}

}  // namespace fuzz
