// The bridge through which an offerwall web page in the host app's own web view drives the SDK:
// the host makes one per web view, registers a script message handler of its own (any name) and
// hands it every message. The page lists ads (a page of the ad list, or a placement), reads the SDK
// version and the available reward, opens the offerwall, an ad's detail or the help page, sets the
// user id and flushes impressions; answers come back as "onMessageReceive('<id>', '<answer>')"
// evaluated in the same web view.
//
// Messages are handled on the main thread. Placement requests of one bridge run one at a time on a
// queue of their own, each waiting at most 10 seconds for the one before; every placement answer
// is evaluated on the main thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/dispatch/queue.h"
#include "platform/dispatch/semaphore.h"
#include "velkor/model/ad.h"
#include "velkor/model/placement.h"

namespace web {
class WebView;
struct ScriptMessage;
}  // namespace web

namespace velkor {

class VelkorOfwJsInterface : public std::enable_shared_from_this<VelkorOfwJsInterface> {
 public:
  // How long a placement request waits for the one before it.
  static constexpr double kPlacementWaitSeconds = 10.0;
  // Show commands closer together than this count as one tap.
  static constexpr double kClickInterval = 1.0;

  // Made with std::make_shared. The web view is held weakly: replies stop when it goes.
  explicit VelkorOfwJsInterface(std::weak_ptr<web::WebView> webView);
  // Lets one waiting placement request go on (it then finds the bridge gone and answers nothing).
  virtual ~VelkorOfwJsInterface();
  VelkorOfwJsInterface(const VelkorOfwJsInterface&) = delete;
  VelkorOfwJsInterface& operator=(const VelkorOfwJsInterface&) = delete;

  // True, and the moment remembered, when a second has passed since the last accepted show
  // command (or since the bridge was made).
  virtual bool isClickable();
  // Carries out the message's command. A body that is no object, without a text "command", with an
  // unknown command, without the text "id" a data command needs or the integer "ad_id" a detail
  // command needs, is dropped without a reply.
  virtual void handleScriptMessage(const web::ScriptMessage& message);

  std::shared_ptr<web::WebView> webView() const { return webView_.lock(); }

  // The reply for the request `id`: an answer text, "[]" or an integer.
  void sendAnswer(const std::string& answer, const std::string& id);
  void sendEmptyAnswer(const std::string& id);
  void sendIntegerAnswer(std::int64_t answer, const std::string& id);

 protected:
  // handleScriptMessage with the message's body.
  void handleBody(const nlohmann::json& body);
  // Evaluates a reply script in the web view while it exists.
  virtual void evaluateReply(const std::string& script);

 private:
  struct PlacementRequest;
  using Weak = std::weak_ptr<VelkorOfwJsInterface>;

  void loadAds(const nlohmann::json& body);
  void loadPlacementAds(const nlohmann::json& body);
  void availableReward(const nlohmann::json& body);
  void show(const std::string& command, const nlohmann::json& body);
  void setUid(const nlohmann::json& body);
  void clearCache();

  static void runPlacementRequest(const Weak& weak, const std::shared_ptr<PlacementRequest>& request);
  static void answerPlacementAds(const Weak& weak, const std::shared_ptr<PlacementRequest>& request,
                                 const std::vector<Placement>& placements);
  static void answerAutofill(const Weak& weak, const std::shared_ptr<PlacementRequest>& request,
                             const std::vector<Ad>& selectableGeneralAds);
  // Picks from the ads used so far: the group's, the choice recorded for it in the same step, or,
  // without a group, this request's own answer.
  using PickAds = std::function<std::vector<Ad>(const std::vector<Ad>& usedAds)>;
  static std::vector<Ad> chooseAds(const PlacementRequest& request, const PickAds& pick);
  // Ads chosen for an answer the page never gets go back to the group.
  static void forgetChosenAds(const PlacementRequest& request);
  static void finishPlacementRequest(const Weak& weak, const std::shared_ptr<PlacementRequest>& request);
  // Schedules the answer on the main queue for the bridge while it exists, then lets the next
  // placement request in.
  static void postPlacementAnswer(const Weak& weak, const std::shared_ptr<PlacementRequest>& request,
                                  std::string answer);

  // Taken out and signalled once when the bridge goes.
  std::optional<dispatch::Semaphore> inventorySemaphore_;
  const std::shared_ptr<dispatch::Queue> inventoryDispatchQueue_;
  std::weak_ptr<web::WebView> webView_;
  // Seconds since 1970 of the last accepted show command; main thread.
  double timestamp_;
};

}  // namespace velkor
