// Every route of both REST clients against the local ad servers: what each sends, how each answer
// and each fault ends, and the guards around parameters, addresses and debug output.
#include "velkor/network/velkor_api_client.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <thread>

#include "platform/base/json_value.h"
#include "tests/velkor/network/network_test_support.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_parameters.h"
#include "velkor/network/request_builder.h"

namespace velkor::testing {
namespace {

std::optional<RouteCase> routeNamed(std::string_view name) {
  for (auto& route : allRoutes()) {
    if (route.name == name) return route;
  }
  return std::nullopt;
}

// What the request carried as parameters: its query, or its JSON body.
nlohmann::json sentParameters(const mock::LoggedRequest& request) {
  if (request.method == "POST") return request.json();
  nlohmann::json query = nlohmann::json::object();
  for (const auto& [name, value] : request.query) query[name] = value;
  return query;
}

nlohmann::json expectedParameters(const RouteCase& route) {
  nlohmann::json expected = nlohmann::json::object();
  for (const auto& [key, value] : VelkorParameters::commonParameters()) expected[key] = value;
  EXPECT_EQ(expected["tracking_id"], "trk-abc");
  if (route.withSession) {
    for (const auto& [key, value] : VelkorInternal::shared().session()->toHash()) expected[key] = value;
  }
  expected.update(route.ownKeys());
  return expected;
}

// A visit with every session id held, and user facts that need escaping in a query.
void setUpVisit() {
  auto session = std::make_shared<VelkorSession>();
  session->openRequest("tab&1", "tag #2");
  VelkorInternal::shared().setSession(session);
  UserProfile::setUid("user&id=1+2#3 é/~");
  VelkorInternal::shared().setAppId("app-7");
  VelkorParameters::setTrackingIdSource([] { return std::string("trk-abc"); });
}

TEST(VelkorApiClientRoutes, EachRouteSendsItsMethodPathParametersAndHeaders) {
  NetworkScope scope;
  setUpVisit();
  const std::regex strictQuery("[A-Za-z0-9._~%&=-]*");
  for (const RouteCase& route : allRoutes()) {
    SCOPED_TRACE(route.name);
    scope.log().clear();
    auto recorder = std::make_shared<Recorder>();
    route.call(recorder);
    ASSERT_TRUE(recorder->waitFor(1));
    const Call call = recorder->calls().front();
    EXPECT_FALSE(call.error) << call.error->description();
    EXPECT_EQ(call.onMainThread, route.answersOnMain);

    const auto entries = scope.log().entries();
    ASSERT_EQ(entries.size(), 1u);
    const mock::LoggedRequest& sent = entries.front();
    EXPECT_EQ(sent.server, route.server);
    EXPECT_EQ(sent.route, route.route);
    EXPECT_EQ(sent.method, route.method);
    EXPECT_EQ(sent.path, route.path);
    EXPECT_EQ(sentParameters(sent), expectedParameters(route));

    // The header keeps the id of the process's first request; the query carries the current one.
    EXPECT_EQ(sent.header("X-Tracking-Id"), kFixedTrackingId);
    const bool isPost = route.method == "POST";
    EXPECT_EQ(sent.header("Content-Type"), isPost ? std::optional<std::string>("application/json") : std::nullopt);
    const bool isShareLink = route.kind == Kind::shareLink;
    EXPECT_EQ(sent.header("HTTP_ACCEPT_ENCODING"), isShareLink ? std::optional<std::string>("gzip") : std::nullopt);
    if (isPost) {
      EXPECT_EQ(sent.rawQuery, "");
    }
    if (route.strictQuery) {
      EXPECT_TRUE(std::regex_match(sent.rawQuery, strictQuery)) << sent.rawQuery;
    }
  }
}

// The faults every route is tried with.
enum class FaultKind { serverError, htmlPage, truncatedJson, wrongTypes, timeout, droppedConnection };

constexpr const char* kServerErrorBody = R"({"code":500,"message":"boom"})";
// The keys of every record with values of the wrong JSON type.
constexpr const char* kWrongTypesBody =
    R"({"ads":1,"tabs":1,"tags":1,"placements":1,"banners":1,"popups":1,"id":"x","ad_id":"x",)"
    R"("click_key":1,"landing_url":1,"share_link":1,"last_updated_at":1})";

std::string nameOf(FaultKind kind) {
  static constexpr const char* kNames[] = {"server_error", "html_page", "truncated_json",
                                           "wrong_types",  "timeout",   "dropped_connection"};
  return kNames[static_cast<int>(kind)];
}
void PrintTo(FaultKind kind, std::ostream* out) { *out << nameOf(kind); }

mock::Fault faultOf(FaultKind kind) {
  switch (kind) {
    case FaultKind::serverError: return mock::Fault{}.withStatus(500).withBody(kServerErrorBody);
    case FaultKind::htmlPage: return mock::Fault{}.htmlErrorPage();
    case FaultKind::truncatedJson: return mock::Fault{}.truncatedJson();
    case FaultKind::wrongTypes: return mock::Fault{}.withBody(kWrongTypesBody);
    case FaultKind::timeout: return mock::Fault{}.withDelay(3000ms);
    case FaultKind::droppedConnection: return mock::Fault{}.dropConnection();
  }
  return {};
}

enum class Outcome { success, decodingError, velkorError, shareLinkStatus, transportError };

// What the response rules make of each fault on each kind of route.
Outcome expectedOutcome(Kind route, FaultKind fault) {
  switch (fault) {
    case FaultKind::timeout:
    case FaultKind::droppedConnection: return Outcome::transportError;
    case FaultKind::serverError:
      if (route == Kind::participate || route == Kind::data) return Outcome::velkorError;
      return route == Kind::shareLink ? Outcome::shareLinkStatus : Outcome::decodingError;
    case FaultKind::htmlPage: return route == Kind::shareLink ? Outcome::shareLinkStatus : Outcome::decodingError;
    case FaultKind::truncatedJson:
    case FaultKind::wrongTypes: return route == Kind::data ? Outcome::success : Outcome::decodingError;
  }
  return Outcome::success;
}

class RouteFaults : public ::testing::TestWithParam<std::tuple<RouteCase, FaultKind>> {};

TEST_P(RouteFaults, EndInExactlyOneCallbackWithTheRoutesOutcome) {
  const auto& [route, fault] = GetParam();
  NetworkScope scope;
  if (fault == FaultKind::timeout) net::setTimeoutOverride(dispatch::Seconds(0.3));
  scope.servers().server(route.server).setFault(route.route, faultOf(fault));
  auto recorder = std::make_shared<Recorder>();
  route.call(recorder);
  ASSERT_TRUE(recorder->waitFor(1));
  const Call call = recorder->calls().front();
  EXPECT_EQ(call.onMainThread, route.answersOnMain);

  switch (expectedOutcome(route.kind, fault)) {
    case Outcome::success:
      ASSERT_FALSE(call.error) << call.error->description();
      // The raw body, whatever it holds.
      if (fault == FaultKind::wrongTypes) {
        EXPECT_EQ(call.body, kWrongTypesBody);
      }
      if (fault == FaultKind::truncatedJson) {
        EXPECT_FALSE(base::parseJson(call.body).ok()) << call.body;
      }
      break;
    case Outcome::decodingError:
      ASSERT_TRUE(call.error);
      EXPECT_EQ(call.error->domain, base::DecodingError::kDomain) << call.error->description();
      break;
    case Outcome::velkorError:
      ASSERT_TRUE(call.error && call.error->velkorError());
      EXPECT_EQ(call.error->domain, VelkorError::kErrorDomain);
      EXPECT_EQ(call.error->velkorError()->code, 500);
      EXPECT_EQ(call.error->velkorError()->message, "boom");
      break;
    case Outcome::shareLinkStatus:
      ASSERT_TRUE(call.error);
      EXPECT_EQ(call.error->domain, Error::kSdkDomain);
      EXPECT_EQ(call.error->code, fault == FaultKind::htmlPage ? 502 : 500);
      break;
    case Outcome::transportError:
      ASSERT_TRUE(call.error);
      EXPECT_TRUE(call.error->isTransport()) << call.error->description();
      if (fault == FaultKind::timeout) {
        EXPECT_EQ(call.error->code, static_cast<long>(net::ErrorCode::TimedOut));
      }
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryRoute, RouteFaults,
                         ::testing::Combine(::testing::ValuesIn(allRoutes()),
                                            ::testing::Values(FaultKind::serverError, FaultKind::htmlPage,
                                                              FaultKind::truncatedJson, FaultKind::wrongTypes,
                                                              FaultKind::timeout, FaultKind::droppedConnection)),
                         [](const auto& info) {
                           return std::get<0>(info.param).name + "_" + nameOf(std::get<1>(info.param));
                         });

// Answers that the response rules single out.
struct AnswerCase {
  std::string name;
  std::string route;
  std::optional<mock::Fault> fault;
  std::optional<std::string> successBody;  // expected success (body checked when not empty)
  std::string errorDomain;                 // else the failure's domain and code
  long errorCode = 0;
};

TEST(VelkorApiClientAnswers, FollowEachRoutesRule) {
  const std::string velkor = VelkorError::kErrorDomain;
  const std::string decoding = base::DecodingError::kDomain;
  const std::string sdk = Error::kSdkDomain;
  const auto status = [](int code, std::string body) { return mock::Fault{}.withStatus(code).withBody(body); };
  const std::vector<AnswerCase> cases = {
      {"detail with an error status and an ad body", "api_ad_detail", mock::Fault{}.withStatus(500), "", "", 0},
      {"participation up to 399 succeeds", "api_participate", mock::Fault{}.withStatus(399), "", "", 0},
      {"opt-out with no content", "api_optout", mock::Fault{}.withStatus(204).withBody(""), "", "", 0},
      {"child ad found", "api_find_child_ad", std::nullopt, "3101", "", 0},
      {"child ad absent", "api_find_child_ad", status(200, "{}"), std::nullopt, velkor, 0},
      {"child ad under another key", "api_find_child_ad", status(200, R"({"other":1})"), std::nullopt, velkor, 0},
      {"child ad id as text", "api_find_child_ad", status(200, R"({"ad_id":"3104"})"), std::nullopt, decoding, 3},
      {"child ad under an error status", "api_find_child_ad", status(500, R"({"ad_id":5})"), "5", "", 0},
      {"share link created", "api_share_link_detail",
       status(201, R"({"share_link":{"short_url":"https://s.example/x"}})"), "https://s.example/x", "", 0},
      {"share link not found", "api_share_link_detail", status(404, R"({"share_link":{"short_url":"x"}})"),
       std::nullopt, sdk, 404},
      {"share link with an empty body", "api_share_link_list", status(200, ""), std::nullopt, decoding, 4},
      {"no banners", "list_banners", status(200, R"({"banners":[]})"), "", "", 0},
      {"banners without their list", "list_banners", status(200, "{}"), std::nullopt, decoding, 1},
      {"popups under an error status", "list_popups", mock::Fault{}.withStatus(500), "", "", 0},
  };
  NetworkScope scope;
  for (const AnswerCase& answer : cases) {
    SCOPED_TRACE(answer.name);
    auto route = routeNamed(answer.route);
    ASSERT_TRUE(route);
    if (answer.fault) scope.servers().server(route->server).setFault(route->route, *answer.fault);
    auto recorder = std::make_shared<Recorder>();
    route->call(recorder);
    ASSERT_TRUE(recorder->waitFor(1));
    const Call call = recorder->calls().front();
    if (answer.successBody) {
      ASSERT_FALSE(call.error) << call.error->description();
      if (!answer.successBody->empty()) {
        EXPECT_EQ(call.body, *answer.successBody);
      }
    } else {
      ASSERT_TRUE(call.error);
      EXPECT_EQ(call.error->domain, answer.errorDomain) << call.error->description();
      EXPECT_EQ(call.error->code, answer.errorCode);
    }
  }
}

TEST(VelkorApiClientAnswers, ServerErrorReachesTheCallerWithItsDialog) {
  NetworkScope scope;
  std::optional<Error> failure;
  VelkorApiClient::participate(1101, nullptr, [&](Error error) { failure = std::move(error); });
  ASSERT_TRUE(dispatch::main_loop::runUntil([&] { return failure.has_value(); }));
  ASSERT_TRUE(failure->velkorError());
  EXPECT_EQ(failure->domain, VelkorError::kErrorDomain);
  EXPECT_EQ(failure->code, 34);
  EXPECT_EQ(failure->velkorError()->code, 34);
  EXPECT_TRUE(failure->velkorError()->dialog);
  EXPECT_EQ(failure->description(), failure->velkorError()->message.value_or(""));
}

TEST(VelkorApiClientAnswers, ListsReplaceTheRewardTypesOnlyWhenTheyCarrySome) {
  NetworkScope scope;
  const RewardType earlier{7, "earlier", 0, "E"};
  struct Case {
    std::string body;
    std::vector<RewardType> expected;
  };
  const std::vector<Case> cases = {
      {R"({"ads":[],"tabs":[],"tags":[]})", {earlier}},
      {R"({"reward_types":[],"ads":[],"tabs":[],"tags":[]})", {}},
      {R"({"reward_types":[{"id":2,"name":"n","priority":1,"unit":"u"}],"ads":[],"tabs":[],"tags":[]})",
       {{2, "n", 1, "u"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    RewardType::setItems({earlier});
    scope.servers().server(mock::kLogicList).setFault(mock::Route::adList, mock::Fault{}.withBody(c.body));
    bool done = false;
    VelkorApiClient::getAdList("ad_list", [&](auto, AdList) { done = true; }, [&](Error) { done = true; });
    ASSERT_TRUE(dispatch::main_loop::runUntil([&] { return done; }));
    EXPECT_EQ(*RewardType::items(), c.expected);
  }
  RewardType::setItems({});
}

TEST(VelkorApiClientGuards, TextThatIsNotUtf8FailsEveryRouteOnceAndSendsNothing) {
  NetworkScope scope;
  UserProfile::setUid(std::string("user\xff\xfe"));
  for (const RouteCase& route : allRoutes()) {
    SCOPED_TRACE(route.name);
    auto recorder = std::make_shared<Recorder>();
    route.call(recorder);
    ASSERT_TRUE(recorder->waitFor(1, 5s));
    const Call call = recorder->calls().front();
    ASSERT_TRUE(call.error);
    if (route.method == "GET") {
      EXPECT_TRUE(call.error->isBadUrl()) << call.error->description();
    } else {
      EXPECT_EQ(call.error->domain, base::EncodingError::kDomain) << call.error->description();
    }
  }
  EXPECT_TRUE(scope.log().entries().empty());
}

TEST(VelkorApiClientGuards, CallbacksLeftEmptyAreSkipped) {
  NetworkScope scope;
  VelkorApiClient::getTagList(nullptr, nullptr);
  VelkorApiClient::findChildAd(3001, nullptr);
  LogicListApiClient::getBannerList(nullptr);
  EXPECT_TRUE(scope.log().waitFor([](const auto&) { return true; }, 3, 10s));
  dispatch::main_loop::runUntil([] { return false; }, 200ms);
}

TEST(VelkorApiClientGuards, RequestAddressesArePrintedOnlyWithTheDebugFlag) {
  NetworkScope scope;
  UserProfile::setUid("uid-secret-42");
  auto printed = [&] {
    ::testing::internal::CaptureStderr();
    auto recorder = std::make_shared<Recorder>();
    for (const char* name : {"api_ad_list", "api_ad_detail", "api_agreement", "list_ad_list"}) {
      routeNamed(name)->call(recorder);
    }
    EXPECT_TRUE(recorder->waitFor(4));
    return ::testing::internal::GetCapturedStderr();
  };
  EXPECT_EQ(printed().find("uid-secret-42"), std::string::npos);
  VelkorInternal::shared().setDebugEnabled(true);
  const std::string debugOutput = printed();
  EXPECT_NE(debugOutput.find("/api/ads?"), std::string::npos) << debugOutput;
  EXPECT_NE(debugOutput.find("/api/ads/1001?"), std::string::npos);
  EXPECT_NE(debugOutput.find("uid-secret-42"), std::string::npos);
  EXPECT_NE(debugOutput.find("URL : http://127.0.0.1"), std::string::npos);
}

// Each client keeps the routes it built until it rebuilds them; the facade rebuilds this one first.
TEST(VelkorApiClientStages, EachClientMovesItsRoutesWhenItRebuildsThem) {
  NetworkScope scope;
  TwoStages stages(scope.servers());
  const auto routes = allRoutes();
  const auto apiRoutes = static_cast<std::size_t>(
      std::count_if(routes.begin(), routes.end(), [](const RouteCase& route) { return route.name.starts_with("api_"); }));
  // Calls every route once; how many of them reached the second stage.
  auto reachingTheSecondStage = [&] {
    stages.first().log().clear();
    stages.second().log().clear();
    auto recorder = std::make_shared<Recorder>();
    for (const auto& route : routes) route.call(recorder);
    EXPECT_TRUE(recorder->waitFor(routes.size()));
    EXPECT_EQ(stages.first().log().entries().size() + stages.second().log().entries().size(), routes.size());
    return stages.second().log().entries().size();
  };
  stages.changeStage(1);
  EXPECT_EQ(reachingTheSecondStage(), 0u);

  stages.changeStage(3, false);
  EXPECT_EQ(Constants::logicURL(), stages.second().serverTable()[Constants::logicKey]);
  EXPECT_EQ(reachingTheSecondStage(), 0u);

  VelkorApiClient::resetBaseUrl();
  EXPECT_EQ(reachingTheSecondStage(), apiRoutes);

  LogicListApiClient::resetBaseUrl();
  EXPECT_EQ(reachingTheSecondStage(), routes.size());
}

TEST(VelkorApiClientStages, RequestsMadeWhileTheStageChangesEachAnswerOnce) {
  NetworkScope scope;
  TwoStages stages(scope.servers());
  const auto routes = allRoutes();
  constexpr std::size_t kRequests = 36;
  auto recorder = std::make_shared<Recorder>();
  std::thread caller([&] {
    for (std::size_t i = 0; i < kRequests; ++i) routes[i % routes.size()].call(recorder);
  });
  for (int change = 0; change < 40; ++change) {
    stages.changeStage(change % 2 ? 3 : 1);
    dispatch::main_loop::drain();
  }
  caller.join();
  ASSERT_TRUE(recorder->waitFor(kRequests));
  for (const Call& call : recorder->calls()) EXPECT_FALSE(call.error) << call.error->description();
  EXPECT_EQ(stages.first().log().entries().size() + stages.second().log().entries().size(), kRequests);
}

}  // namespace
}  // namespace velkor::testing
