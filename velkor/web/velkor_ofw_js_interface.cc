#include "velkor/web/velkor_ofw_js_interface.h"

#include <algorithm>

#include "platform/base/date.h"
#include "platform/base/log.h"
#include "platform/ui/application.h"
#include "platform/ui/window.h"
#include "velkor/core/sdk_version.h"
#include "velkor/core/velkor.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/network/ad_repository.h"
#include "velkor/web/inventory_group_ads.h"
#include "velkor/web/ofw_ad_answers.h"
#include "velkor/web/script_message_body.h"
#include "velkor/web/script_string.h"
#include "velkor/web/top_view_controller.h"

namespace velkor {
namespace {

constexpr const char* kListOrigin = "webview";
constexpr const char* kNoTopScreenMessage = "Velkor Error: could not find visible view controller";

double nowSeconds() { return base::Date::now().timeIntervalSince1970(); }

nlohmann::json optionsOf(const nlohmann::json& body) {
  return parseJsonObject(bodyText(body, "options").value_or("{}"));
}

}  // namespace

// One "loadPlacementAds" request, shared by its steps (which run one after the other).
struct VelkorOfwJsInterface::PlacementRequest {
  std::string id;
  std::string placement;
  std::optional<std::string> inventoryGroup;
  std::size_t size = 0;
  bool autofill = false;
  nlohmann::json options;
  // Held from the end of the wait until the answer is scheduled.
  std::optional<dispatch::Semaphore> semaphore;
  // The placement's ads, then those the ad list adds; recorded for the group as they are chosen.
  std::vector<Ad> answerAds;
};

VelkorOfwJsInterface::VelkorOfwJsInterface(std::weak_ptr<web::WebView> webView)
    : inventorySemaphore_(dispatch::Semaphore(1)),
      inventoryDispatchQueue_(dispatch::Queue::concurrent("co.velkor.offerwall.loadPlacementAds")),
      webView_(std::move(webView)),
      timestamp_(nowSeconds()) {}

VelkorOfwJsInterface::~VelkorOfwJsInterface() {
  if (auto semaphore = std::exchange(inventorySemaphore_, std::nullopt)) semaphore->signal();
}

bool VelkorOfwJsInterface::isClickable() {
  const double now = nowSeconds();
  if (now - timestamp_ < kClickInterval) return false;
  timestamp_ = now;
  return true;
}

void VelkorOfwJsInterface::handleBody(const nlohmann::json& body) {
  const auto command = bodyText(body, "command");
  if (!command) return;
  if (*command == "loadAds") return loadAds(body);
  if (*command == "loadPlacementAds") return loadPlacementAds(body);
  if (*command == "getSdkVersion") {
    if (auto id = bodyText(body, "id")) sendAnswer(kSdkVersion, *id);
    return;
  }
  if (*command == "availableReward") return availableReward(body);
  if (*command == "showOfferwallDetail" || *command == "showOfferwallAd" || *command == "showOfferwall" ||
      *command == "showHelp") {
    return show(*command, body);
  }
  if (*command == "setUid") return setUid(body);
  if (*command == "clearCache") return clearCache();
  // "impression" is acknowledged and needs nothing: answers record what a page shows.
}

void VelkorOfwJsInterface::sendAnswer(const std::string& answer, const std::string& id) {
  evaluateReply(messageReceiveScript(id, answer));
}

void VelkorOfwJsInterface::sendEmptyAnswer(const std::string& id) { sendAnswer("[]", id); }

void VelkorOfwJsInterface::sendIntegerAnswer(std::int64_t answer, const std::string& id) {
  sendAnswer(std::to_string(answer), id);
}

void VelkorOfwJsInterface::loadAds(const nlohmann::json& body) {
  auto id = bodyText(body, "id");
  if (!id) return;
  const auto size = bodyInteger(body, "size").value_or(5);
  const auto page = bodyInteger(body, "page").value_or(1);
  auto options = optionsOf(body);
  const bool notPaginated = !bodyBool(options, "pagination").value_or(false);
  VelkorInternal::shared().repository()->getAds(
      kListOrigin,
      [self = shared_from_this(), id = *id, options, notPaginated, size, page](AdArray ads, std::vector<Tab> tabs) {
        const auto answer =
            loadAdsAnswer(ads, requestedTagIds(options, tabs), notPaginated, size, page);
        self->sendAnswer(answerText(answer, options), id);
      },
      [self = shared_from_this(), id = *id](Error) { self->sendEmptyAnswer(id); });
}

void VelkorOfwJsInterface::availableReward(const nlohmann::json& body) {
  auto id = bodyText(body, "id");
  if (!id) return;
  VelkorInternal::shared().repository()->getTotalValidReward(
      [self = shared_from_this(), id = *id](std::int64_t total) { self->sendIntegerAnswer(total, id); });
}

void VelkorOfwJsInterface::show(const std::string& command, const nlohmann::json& body) {
  // The moment counts before anything can fail, so a failed command also holds the next one back.
  if (!isClickable()) return;
  const bool detail = command == "showOfferwallDetail" || command == "showOfferwallAd";
  const auto adId = bodyInteger(body, "ad_id");
  if (detail && !adId) return;
  const auto window = ui::Application::shared().keyWindow();
  auto top = topViewController(window ? window->rootViewController() : nullptr);
  if (!top) return base::console(kNoTopScreenMessage);
  if (command == "showHelp") return Velkor::shared().showHelp(std::move(top));
  VelkorInternal::shared().presentOfferwall(std::move(top), detail ? adId : std::nullopt, false, std::nullopt,
                                            std::nullopt, true, {});
}

// Text sets the user, null or no uid logs out; any other value is refused, since taking it for a
// logout would wipe the user's id and profile.
void VelkorOfwJsInterface::setUid(const nlohmann::json& body) {
  const auto uid = bodyText(body, "uid");
  if (!uid && body.contains("uid") && !body.at("uid").is_null()) {
    return base::logError("setUid: the uid is neither text nor null; the user is kept");
  }
  VelkorInternal::shared().updateUid(uid);
}

void VelkorOfwJsInterface::clearCache() {
  InventoryGroupAds::shared().clear();
  VelkorInternal::shared().sendImpressions();
}

// --- placements ---

void VelkorOfwJsInterface::loadPlacementAds(const nlohmann::json& body) {
  auto id = bodyText(body, "id");
  if (!id) return;
  auto request = std::make_shared<PlacementRequest>();
  request->id = *id;
  request->size = boundedSize(bodyInteger(body, "size").value_or(5));
  request->placement = bodyText(body, "placement").value_or("");
  request->options = optionsOf(body);
  request->inventoryGroup = bodyText(request->options, "inventory_group");
  request->autofill = bodyBool(request->options, "autofill").value_or(false);
  inventoryDispatchQueue_->async([weak = weak_from_this(), request] { runPlacementRequest(weak, request); });
}

void VelkorOfwJsInterface::runPlacementRequest(const Weak& weak, const std::shared_ptr<PlacementRequest>& request) {
  std::optional<dispatch::Semaphore> semaphore;
  if (auto self = weak.lock()) {
    semaphore = self->inventorySemaphore_;
  } else {
    return;
  }
  // The wait holds no reference, so the bridge can go meanwhile and let this request through.
  if (!semaphore || semaphore->wait(dispatch::Seconds(kPlacementWaitSeconds)) == dispatch::WaitResult::TimedOut) {
    dispatch::main()->async([weak, id = request->id] {
      if (auto self = weak.lock()) self->sendEmptyAnswer(id);
    });
    return;
  }
  request->semaphore = semaphore;
  if (weak.expired()) {
    // Passes the turn on, so requests waiting behind this one end at once too.
    return semaphore->signal();
  }
  VelkorInternal::shared().repository()->getPlacements(
      [weak, request](std::vector<Placement> placements) { answerPlacementAds(weak, request, placements); },
      [weak, request](Error) { postPlacementAnswer(weak, request, "[]"); });
}

void VelkorOfwJsInterface::answerPlacementAds(const Weak& weak, const std::shared_ptr<PlacementRequest>& request,
                                              const std::vector<Placement>& placements) {
  if (weak.expired()) return request->semaphore->signal();
  auto placement = std::find_if(placements.begin(), placements.end(),
                                [&](const Placement& p) { return p.slug == request->placement; });
  // Answered and released like any other ending: the page is not left waiting on its id.
  if (placement == placements.end()) return postPlacementAnswer(weak, request, "[]");
  request->answerAds = chooseAds(*request, [&](const std::vector<Ad>& used) {
    return placementAnswer(placement->ads, used, request->size);
  });
  if (request->answerAds.size() == request->size || !request->autofill) return finishPlacementRequest(weak, request);
  VelkorInternal::shared().repository()->getAds(
      kListOrigin,
      [weak, request](AdArray ads, std::vector<Tab>) { answerAutofill(weak, request, selectableAds(ads)); },
      [weak, request](Error) {
        forgetChosenAds(*request);
        postPlacementAnswer(weak, request, "[]");
      });
}

void VelkorOfwJsInterface::answerAutofill(const Weak& weak, const std::shared_ptr<PlacementRequest>& request,
                                          const std::vector<Ad>& selectableGeneralAds) {
  if (weak.expired()) {
    forgetChosenAds(*request);
    return request->semaphore->signal();
  }
  const std::size_t wanted = request->size - request->answerAds.size();
  const auto added = chooseAds(
      *request, [&](const std::vector<Ad>& used) { return autofill(selectableGeneralAds, used, wanted); });
  request->answerAds.insert(request->answerAds.end(), added.begin(), added.end());
  finishPlacementRequest(weak, request);
}

std::vector<Ad> VelkorOfwJsInterface::chooseAds(const PlacementRequest& request, const PickAds& pick) {
  // The group's choice and its record are one step: pages in other web views ask for it meanwhile.
  if (request.inventoryGroup) return InventoryGroupAds::shared().choose(*request.inventoryGroup, pick);
  return pick(request.answerAds);
}

void VelkorOfwJsInterface::forgetChosenAds(const PlacementRequest& request) {
  if (request.inventoryGroup) InventoryGroupAds::shared().forget(*request.inventoryGroup, request.answerAds);
}

void VelkorOfwJsInterface::finishPlacementRequest(const Weak& weak, const std::shared_ptr<PlacementRequest>& request) {
  postPlacementAnswer(weak, request, answerText(request->answerAds, request->options));
}

void VelkorOfwJsInterface::postPlacementAnswer(const Weak& weak, const std::shared_ptr<PlacementRequest>& request,
                                               std::string answer) {
  dispatch::main()->async([weak, id = request->id, answer = std::move(answer)] {
    if (auto self = weak.lock()) self->sendAnswer(answer, id);
  });
  request->semaphore->signal();
}

}  // namespace velkor
