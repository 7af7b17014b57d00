#include "velkor/core/host_ad_actions.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "platform/ui/application.h"
#include "tests/velkor/network/network_test_support.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/network/ad_repository.h"

namespace velkor::testing {
namespace {

using namespace std::chrono_literals;

// Opens nothing: writes down what the host was asked to open.
class OpenedUrls {
 public:
  OpenedUrls() {
    ui::Application::shared().setOpenUrlHandler([this](const base::Url& url) {
      std::lock_guard lock(mutex_);
      opened_.push_back(url.absoluteString());
      return true;
    });
  }
  ~OpenedUrls() { ui::Application::shared().setOpenUrlHandler(nullptr); }
  std::vector<std::string> all() const {
    std::lock_guard lock(mutex_);
    return opened_;
  }
 private:
  mutable std::mutex mutex_;
  std::vector<std::string> opened_;
};

struct ParticipationCase {
  std::int64_t adId;
  // What the success block receives and what is opened; or the error's "<domain> <code> <message>".
  std::string success;
  std::string opened;
  std::string error;
};
std::ostream& operator<<(std::ostream& out, const ParticipationCase& c) { return out << "ad " << c.adId; }

class Participation : public ::testing::TestWithParam<ParticipationCase> {
 protected:
  NetworkScope network_;
  OpenedUrls opened_;
};

TEST_P(Participation, SendsTheUserToTheLandingOrSaysWhyNot) {
  const auto& c = GetParam();
  auto recorder = std::make_shared<Recorder>();
  participate(
      c.adId, [recorder](std::string landing) { recorder->success(std::move(landing)); },
      [recorder](Error error) { recorder->failure(std::move(error)); });
  EXPECT_TRUE(ui::Application::shared().isNetworkActivityIndicatorVisible());
  ASSERT_TRUE(recorder->waitFor(1));
  const Call call = recorder->calls()[0];
  EXPECT_TRUE(call.onMainThread);
  EXPECT_FALSE(ui::Application::shared().isNetworkActivityIndicatorVisible());
  if (c.error.empty()) {
    EXPECT_FALSE(call.error) << call.error->description();
    EXPECT_EQ(call.body, c.success);
    EXPECT_EQ(opened_.all(), std::vector<std::string>{c.opened});
  } else {
    ASSERT_TRUE(call.error);
    EXPECT_EQ(call.error->domain + " " + std::to_string(call.error->code) + " " + call.error->description(), c.error);
    ASSERT_TRUE(call.error->velkorError()) << "the record travels with the error";
    EXPECT_TRUE(opened_.all().empty());
  }
  EXPECT_EQ(network_.log().count(mock::Route::postback), 0u) << "no postback from a host's participation";
}

INSTANTIATE_TEST_SUITE_P(
    Landings, Participation,
    ::testing::Values(
        // The block hears the landing as sent; the braces are escaped only to open it.
        ParticipationCase{1006, "https://www.example.com/land/{1006}?ref={velkor}",
                          "https://www.example.com/land/%7B1006%7D?ref=%7Bvelkor%7D", ""},
        // The dialog is the detail screen's business: the landing opens at once.
        ParticipationCase{1003,
                          "velkor://inappbrowser?url=https%3A%2F%2Fwww.example.com%2Fevent%2F1003&title=%EC%9D%B4%EB%B2%A4%ED%8A%B8",
                          "velkor://inappbrowser?url=https%3A%2F%2Fwww.example.com%2Fevent%2F1003&title=%EC%9D%B4%EB%B2%A4%ED%8A%B8",
                          ""},
        ParticipationCase{1007, "", "", "VelKOR 312 해당 URL로 이동에 실패하였습니다."},
        ParticipationCase{1104, "", "", "VelKOR 500 일시적인 오류가 발생했어요. 잠시 후 다시 시도해 주세요."}));

TEST(LandingUrl, RefusesAddressesThatRunScriptOrReadLocalData) {
  const std::pair<const char*, bool> cases[] = {
      {"https://www.example.com/land?id=1", true},
      {"http://www.example.com/land", true},
      {"exampleapp://open?item=1", true},
      {"velkor://inappbrowser?url=https%3A%2F%2Fwww.example.com", true},
      {"javascript:alert(document.cookie)", false},
      {"JavaScript:alert(1)", false},
      {"file:///etc/passwd", false},
      {"data:text/html;base64,PHNjcmlwdD4=", false},
  };
  for (const auto& [address, opens] : cases) {
    Result<base::Url> url = landingUrl(address);
    EXPECT_EQ(url.ok(), opens) << address;
    if (!url) {
      EXPECT_EQ(url.error().code, 312) << address;
    }
  }
}

TEST(Optout, MarksBothCachesDirtyOnceAcceptedAndSwallowsFailures) {
  NetworkScope network;
  const auto& repository = VelkorInternal::shared().repository();
  auto sendOptout = [&](std::int64_t adId, std::size_t sent) {
    repository->setCacheIsDirty(false);
    repository->setPlacementCacheIsDirty(false);
    optout(adId);
    EXPECT_FALSE(ui::Application::shared().isNetworkActivityIndicatorVisible());
    EXPECT_TRUE(network.log().waitFor(mock::Route::optout, sent, 10s));
    // Long enough for the answer to have been handled.
    dispatch::main_loop::runUntil([] { return false; }, 300ms);
  };
  sendOptout(1102, 1);
  EXPECT_FALSE(repository->cacheIsDirty());
  EXPECT_FALSE(repository->placementCacheIsDirty());
  sendOptout(1001, 2);
  EXPECT_TRUE(repository->cacheIsDirty());
  EXPECT_TRUE(repository->placementCacheIsDirty());
  EXPECT_FALSE(ui::Application::shared().isNetworkActivityIndicatorVisible());
}

}  // namespace
}  // namespace velkor::testing
