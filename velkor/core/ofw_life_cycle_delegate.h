// Told when the offerwall opens and when its close action dismissed it. Held weakly.
#pragma once

namespace velkor {

class OfwLifeCycleDelegate {
 public:
  virtual ~OfwLifeCycleDelegate() = default;

  virtual void offerwallOpen() = 0;
  virtual void offerwallClosed() = 0;
};

}  // namespace velkor
