// Told when the host set a user id, so a screen that asked for a login can go on. Held weakly.
#pragma once

namespace velkor {

class OfwLoginDelegate {
 public:
  virtual ~OfwLoginDelegate() = default;

  virtual void success() = 0;
};

}  // namespace velkor
