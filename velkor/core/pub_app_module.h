// What a publisher hands the SDK to tell about its own module and to replace parts of the
// offerwall. The core reads it afresh at each use, so a module set later takes effect at the next
// request or screen. Everything defaults to nothing, which selects the SDK's own choice.
#pragma once

#include <optional>
#include <string>

#include "velkor/components/indicator_view_representable.h"

namespace velkor {

class PubAppModule {
 public:
  virtual ~PubAppModule() = default;

  // Sent with every request and web page as "pub_app_module_name" and "pub_app_module_ver".
  virtual std::optional<std::string> name() const { return std::nullopt; }
  virtual std::optional<std::string> version() const { return std::nullopt; }

  // Nib names of the top offerwall screen (declared for publishers; the SDK does not use it) and
  // of the ad detail screen.
  virtual std::optional<std::string> ofwListViewControllerNibName() const { return std::nullopt; }
  virtual std::optional<std::string> ofwDetailViewControllerNibName() const { return std::nullopt; }

  // The help page's address in place of the server stage's; an empty text is still an address.
  virtual std::optional<std::string> customSupportURL() const { return std::nullopt; }

  // The loading indicator laid over the offerwall while it waits for the servers.
  virtual IndicatorViewClass indicatorViewClass() const { return {}; }
};

}  // namespace velkor
