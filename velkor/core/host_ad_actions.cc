#include "velkor/core/host_ad_actions.h"

#include <optional>
#include <utility>

#include "platform/base/log.h"
#include "platform/dispatch/queue.h"
#include "platform/ui/application.h"
#include "velkor/core/text_replace.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/model/velkor_error.h"
#include "velkor/network/ad_repository.h"
#include "velkor/network/velkor_api_client.h"
#include "velkor/web/web_address.h"

namespace velkor {
namespace {

constexpr std::int64_t kLandingErrorCode = 312;
constexpr const char* kLandingErrorMessage = "해당 URL로 이동에 실패하였습니다.";

void showNetworkActivity(bool visible) { ui::Application::shared().setNetworkActivityIndicatorVisible(visible); }

Result<base::Url> parsedLanding(const std::string& text) {
  if (auto url = base::Url::parse(text)) return *url;
  const std::string escaped = replacingOccurrences(replacingOccurrences(text, "{", "%7B"), "}", "%7D");
  if (auto url = base::Url::parse(escaped)) return *url;
  return Error(VelkorError{kLandingErrorCode, kLandingErrorMessage, std::nullopt});
}

}  // namespace

Result<base::Url> landingUrl(const std::string& text) {
  Result<base::Url> url = parsedLanding(text);
  // A landing that would run script or read local data in the host app's hands, or that has no
  // scheme to say where it leads, is never opened.
  if (url && routeOf(*url) == AddressRoute::refused) {
    base::logError("refused a landing address with the scheme " + url->scheme().value_or("(none)"));
    return Error(VelkorError{kLandingErrorCode, kLandingErrorMessage, std::nullopt});
  }
  return url;
}

void participate(std::int64_t adId, std::function<void(std::string)> onSuccess, OnError onError) {
  showNetworkActivity(true);
  VelkorApiClient::participate(
      adId,
      [onSuccess, onError](ParticipateResult result) {
        showNetworkActivity(false);
        auto url = landingUrl(result.landingUrl);
        if (!url) {
          if (onError) onError(url.error());
          return;
        }
        if (onSuccess) onSuccess(result.landingUrl);
        openInSystem(*url);
      },
      [onError](Error error) {
        showNetworkActivity(false);
        if (onError) onError(std::move(error));
      });
}

void optout(std::int64_t adId) {
  VelkorApiClient::optout(
      adId,
      [](std::string) {
        showNetworkActivity(false);
        const auto& repository = VelkorInternal::shared().repository();
        repository->setCacheIsDirty(true);
        repository->setPlacementCacheIsDirty(true);
        // The ad leaves the screen the user opted out on.
        dispatch::main()->async([] { VelkorInternal::shared().closeTopScreen(); });
      },
      [](Error) { showNetworkActivity(false); });
}

}  // namespace velkor
