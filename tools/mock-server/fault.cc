#include "tools/mock-server/fault.h"

namespace mock {
namespace {

template <class Change>
Fault changed(Fault fault, Change change) {
  change(fault);
  return fault;
}

}  // namespace

Fault Fault::withStatus(int code) const {
  return changed(*this, [&](Fault& f) { f.statusCode = code; });
}

Fault Fault::withHeader(std::string name, std::string value) const {
  return changed(*this, [&](Fault& f) { f.headerChanges.emplace_back(std::move(name), std::move(value)); });
}

Fault Fault::withoutHeader(std::string name) const {
  return changed(*this, [&](Fault& f) { f.headerChanges.emplace_back(std::move(name), std::nullopt); });
}

Fault Fault::withBody(std::string body) const {
  return changed(*this, [&](Fault& f) { f.replacementBody = std::move(body); });
}

Fault Fault::withContentType(std::string type) const {
  return changed(*this, [&](Fault& f) { f.contentType = std::move(type); });
}

Fault Fault::withDelay(std::chrono::milliseconds time) const {
  return changed(*this, [&](Fault& f) { f.delay = time; });
}

Fault Fault::malformedJson() const {
  return changed(*this, [](Fault& f) { f.bodyFault = BodyFault::malformedJson; });
}

Fault Fault::truncatedJson() const {
  return changed(*this, [](Fault& f) { f.bodyFault = BodyFault::truncatedJson; });
}

Fault Fault::htmlErrorPage() const {
  return changed(*this, [](Fault& f) { f.bodyFault = BodyFault::htmlErrorPage; });
}

Fault Fault::dropConnection() const {
  return changed(*this, [](Fault& f) { f.connectionFault = ConnectionFault::dropBeforeResponse; });
}

Fault Fault::dropMidBody() const {
  return changed(*this, [](Fault& f) { f.connectionFault = ConnectionFault::dropMidBody; });
}

Fault Fault::sticky() const {
  return changed(*this, [](Fault& f) { f.isSticky = true; });
}

}  // namespace mock
