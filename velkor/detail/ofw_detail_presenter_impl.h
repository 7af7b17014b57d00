// The SDK's detail presenter: the call-to-action's debounce and checks, the tracking prompt, the
// participation, its postback and landing, the refusals, the share link, the help page and the
// back button. It holds its screen weakly; the screen holds it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "velkor/detail/ofw_detail_presenter.h"
#include "velkor/detail/ofw_detail_view.h"
#include "velkor/detail/postback.h"
#include "velkor/model/participate_result.h"

namespace velkor {

class OfwDetailPresenterImpl : public OfwDetailPresenter,
                               public std::enable_shared_from_this<OfwDetailPresenterImpl> {
 public:
  // Seconds within which a second call-to-action tap is ignored.
  static constexpr double kDebounce = 1.0;
  static constexpr const char* kUnsupportedDevice = "지원하지 않는 디바이스입니다.";
  static constexpr const char* kAlreadyParticipated = "이미 참여한 이벤트입니다.";
  static constexpr std::int64_t kSoldOutCode = 8;
  static constexpr std::int64_t kServerAlertCode = 34;

  OfwDetailPresenterImpl(const std::shared_ptr<OfwDetailView>& view, std::int64_t adId);

  std::shared_ptr<AdRepository> repository() const override;
  std::shared_ptr<OfwDetailView> view() const override { return view_.lock(); }
  std::optional<Ad> currentAd() const override;
  std::int64_t adId() const override { return adId_; }
  void setAdId(std::int64_t adId) override { adId_ = adId; }

  void backButtonClicked() override;
  void sendParticipate() override;
  void moveToContact() override;
  void moveToContact(std::string url) override;
  void generateShortLink(std::function<void(Result<std::string>)> completion) override;

  // Sends the participation for the screen's current ad and handles its answer.
  virtual void doParticipate();
  // Ends the background task of the latest postback, if it still runs.
  virtual void stop();

  // When the last tap passed the debounce (seconds since 1970); 0 before any.
  double timestamp() const { return timestamp_; }
  // The latest postback's task; none before a result with a completion delay.
  const std::shared_ptr<PostbackTask>& backgroundTask() const { return backgroundTask_; }

  // The sold-out alert's text for a reward type's name.
  static std::string soldOutMessage(const std::string& rewardName);

 private:
  static void handleParticipateResult(const std::weak_ptr<OfwDetailPresenterImpl>& weak,
                                      const ParticipateResult& result, const Ad& ad);
  static void handleParticipateError(const std::weak_ptr<OfwDetailPresenterImpl>& weak, const Error& error);
  void openLanding(const std::string& landing, const base::Url& url, const Ad& ad);
  void openChildAd(const std::string& landing);
  void openListDeepLink(const std::string& landing);
  void openContact(const std::string& address);

  double timestamp_ = 0;
  std::weak_ptr<OfwDetailView> view_;
  std::int64_t adId_;
  std::shared_ptr<PostbackTask> backgroundTask_;
};

}  // namespace velkor
