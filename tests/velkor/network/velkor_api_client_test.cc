// Every route of both REST clients against the local ad servers: what each sends, how each answer
// and each fault ends, guards around parameters and callbacks, and stage changes.
#include "velkor/network/velkor_api_client.h"

#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "platform/base/json_value.h"
#include "tests/velkor/network/network_test_support.h"
#include "velkor/core/user_profile.h"
#include "velkor/core/velkor_parameters.h"
#include "velkor/core/velkor_session.h"
#include "velkor/network/logic_list_api_client.h"
#include "velkor/network/request_builder.h"

namespace velkor::testing {
namespace {

// The "X-Tracking-Id" every request of the test process carries.
constexpr const char* kFixedTrackingId = "trk-first-request";

// What each route answers with a fault (see the fault test).
enum class Kind {
  recordGet,  // decodes its record whatever the status
  childAd,    // a map of integers, whatever the status
  participate,
  data,       // any body up to status 399
  shareLink,  // status first, then the short URL
};

struct RouteCase {
  std::string name;
  std::string_view server;  // the kind of server it must reach
  mock::Route route;
  std::string method;
  std::string path;
  bool withSession;  // the session's ids merged
  // The route's own keys (in the query or the body), on top of the common parameters.
  std::function<nlohmann::json()> ownKeys;
  bool strictQuery;  // every query character outside the unreserved set escaped
  Kind kind;
  bool answersOnMain;
  std::function<void(std::shared_ptr<Recorder>)> call;
};

// Stage 1 on one group of servers, stage 3 on another; a change moves both clients, as the facade does.
class TwoStages {
 public:
  explicit TwoStages(mock::MockServerGroup& first) : first_(first) {
    EXPECT_TRUE(second_.start()) << second_.error();
    StageTables tables = Constants::everyStage(first.serverTable());
    tables[3] = second_.serverTable();
    EXPECT_TRUE(Constants::setServerTablesForTesting(tables).ok());
    Constants::setStageSource([this] { return stage_.load(); });
  }
  // No facade runs in this program, so there is no other source to put back.
  ~TwoStages() { Constants::setStageSource(nullptr); }
  void changeStage(int stage) {
    stage_ = stage;
    VelkorApiClient::resetBaseUrl();
    LogicListApiClient::resetBaseUrl();
  }
  std::size_t requests() { return first_.log().entries().size() + second_.log().entries().size(); }
 private:
  mock::MockServerGroup& first_;
  mock::MockServerGroup second_;
  std::atomic<int> stage_{1};
};

std::string requestId() { return VelkorInternal::shared().session()->requestId(); }

OnError failureTo(const std::shared_ptr<Recorder>& recorder) {
  return [recorder](Error error) { recorder->failure(std::move(error)); };
}

// Any success of a record route.
auto recordTo(const std::shared_ptr<Recorder>& recorder) {
  return [recorder](auto&&...) { recorder->success(); };
}

auto dataTo(const std::shared_ptr<Recorder>& recorder) {
  return [recorder](std::string body) { recorder->success(std::move(body)); };
}

template <class T>
std::function<void(Result<T>)> resultTo(const std::shared_ptr<Recorder>& recorder) {
  return [recorder](Result<T> result) {
    if (!result.ok()) return recorder->failure(result.error());
    if constexpr (std::is_same_v<T, std::string>) recorder->success(result.value());
    else if constexpr (std::is_integral_v<T>) recorder->success(std::to_string(result.value()));
    else recorder->success();
  };
}

nlohmann::json none() { return nlohmann::json::object(); }
nlohmann::json withRequestId() { return {{"request_id", requestId()}}; }

// The tracking header is fixed by the first request of the process: fix it to a known id before
// any test runs, whichever runs first. (An empty id would not be sent at all.)
class FixedTrackingHeader : public ::testing::Environment {
 public:
  void SetUp() override {
    ScopedCoreState core;
    VelkorParameters::setTrackingIdSource([] { return std::string(kFixedTrackingId); });
    defaultHeaders();
  }
};

[[maybe_unused]] const auto* const fixedTrackingHeader =
    ::testing::AddGlobalTestEnvironment(new FixedTrackingHeader);

std::ostream& operator<<(std::ostream& out, const RouteCase& route) { return out << route.name; }

// Every route of both clients, and the variants of the detail and share-link routes.
std::vector<RouteCase> allRoutes() {
  using mock::Route;
  using R = std::shared_ptr<Recorder>;
  return {
      {"api_ad_list", mock::kLogicList, Route::adList, "GET", "/api/ads", false,
       [] { return nlohmann::json{{"from", "ad_list"}, {"request_id", requestId()}}; }, true, Kind::recordGet, true,
       [](R r) { VelkorApiClient::getAdList("ad_list", recordTo(r), failureTo(r)); }},
      {"api_ad_detail", mock::kLogic, Route::adDetail, "GET", "/api/ads/1001", true,
       [] { return nlohmann::json{{"from", "ad_list"}, {"is_click", "1"}}; }, true, Kind::recordGet, true,
       [](R r) { VelkorApiClient::getAdDetail(1001, "ad_list", recordTo(r), failureTo(r)); }},
      {"api_ad_detail_from_detail", mock::kLogic, Route::adDetail, "GET", "/api/ads/1002", true,
       [] { return nlohmann::json{{"from", "ad_detail"}}; }, true, Kind::recordGet, true,
       [](R r) { VelkorApiClient::getAdDetail(1002, "ad_detail", recordTo(r), failureTo(r)); }},
      {"api_placements", mock::kLogicList, Route::placements, "GET", "/api/placements", false, withRequestId, false,
       Kind::recordGet, true, [](R r) { VelkorApiClient::getPlacementList(recordTo(r), failureTo(r)); }},
      {"api_tags", mock::kLogicList, Route::tags, "GET", "/api/tags", false, none, false, Kind::recordGet, true,
       [](R r) { VelkorApiClient::getTagList(recordTo(r), failureTo(r)); }},
      {"api_find_child_ad", mock::kLogic, Route::findChildAd, "GET", "/api/ads/3001/find_child_ad", true, none, true,
       Kind::childAd, false, [](R r) { VelkorApiClient::findChildAd(3001, resultTo<std::int64_t>(r)); }},
      {"api_participate", mock::kLogic, Route::participate, "POST", "/api/ads/1001/participate", true, none, false,
       Kind::participate, true, [](R r) { VelkorApiClient::participate(1001, recordTo(r), failureTo(r)); }},
      {"api_optout", mock::kLogic, Route::optout, "POST", "/api/ads/1001/optout", false, none, false, Kind::data, true,
       [](R r) { VelkorApiClient::optout(1001, dataTo(r), failureTo(r)); }},
      {"api_impression", mock::kLogic, Route::impression, "POST", "/api/ads/impression", false,
       [] {
         return nlohmann::json{{"request_id", requestId()},
                               {"ads", {{{"id", "1001"}, {"tab_slug", "all"}, {"tag_slug", "easy"}},
                                        {{"id", "1002"}, {"inventory", "home"}}}}};
       },
       false, Kind::data, true,
       [](R r) {
         VelkorApiClient::impression({{{"id", "1001"}, {"tab_slug", "all"}, {"tag_slug", "easy"}},
                                      {{"id", "1002"}, {"inventory", "home"}}},
                                     dataTo(r), failureTo(r));
       }},
      {"api_agreement", mock::kLogic, Route::agreement, "POST", "/api/uids/agreement", false, withRequestId, false,
       Kind::data, true, [](R r) { VelkorApiClient::agreement(dataTo(r), failureTo(r)); }},
      {"api_postback", mock::kPostback, Route::postback, "POST", "/api/postbacks/sdk", false,
       [] { return nlohmann::json{{"click_key", "ck-1001"}}; }, false, Kind::data, true,
       [](R r) { VelkorApiClient::postback("ck-1001", dataTo(r), failureTo(r)); }},
      {"api_share_link_detail", mock::kLogic, Route::shareLinkAdDetail, "POST", "/api/share_links/ad_detail", false,
       [] { return nlohmann::json{{"ad_id", 1001}}; }, false, Kind::shareLink, false,
       [](R r) { VelkorApiClient::createShareLink(1001, true, resultTo<std::string>(r)); }},
      {"api_share_link_list", mock::kLogic, Route::shareLinkAdList, "POST", "/api/share_links/ad_list", false,
       [] { return nlohmann::json{{"ad_id", 1003}}; }, false, Kind::shareLink, false,
       [](R r) { VelkorApiClient::createShareLink(1003, false, resultTo<std::string>(r)); }},
      {"list_ad_list", mock::kLogicList, Route::adList, "GET", "/api/ads", false,
       [] { return nlohmann::json{{"from", "offerwall"}, {"request_id", requestId()}}; }, true, Kind::recordGet, true,
       [](R r) { LogicListApiClient::getAdList("offerwall", recordTo(r), failureTo(r)); }},
      {"list_placements", mock::kLogicList, Route::placements, "GET", "/api/placements", false, withRequestId, false,
       Kind::recordGet, true, [](R r) { LogicListApiClient::getPlacementList(recordTo(r), failureTo(r)); }},
      {"list_tags", mock::kLogicList, Route::tags, "GET", "/api/tags", false, none, false, Kind::recordGet, true,
       [](R r) { LogicListApiClient::getTagList(recordTo(r), failureTo(r)); }},
      {"list_banners", mock::kLogicList, Route::banners, "GET", "/api/banners", false, withRequestId, false,
       Kind::recordGet, true, [](R r) { LogicListApiClient::getBannerList(resultTo<BannerList>(r)); }},
      {"list_popups", mock::kLogicList, Route::popups, "GET", "/api/popups", false, withRequestId, false,
       Kind::recordGet, true, [](R r) { LogicListApiClient::getPopupList(resultTo<PopupList>(r)); }},
  };
}



std::optional<RouteCase> routeNamed(std::string_view name) {
  for (auto& route : allRoutes()) if (route.name == name) return route;
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
    if (isPost) { EXPECT_EQ(sent.rawQuery, ""); }
    if (route.strictQuery) { EXPECT_TRUE(std::regex_match(sent.rawQuery, strictQuery)) << sent.rawQuery; }
  }
}

// Only a tap in the list counts as a click; reloads, deep links and web pages open the detail too.
TEST(VelkorApiClientRoutes, TheDetailRouteMarksAClickOnlyFromTheList) {
  NetworkScope scope;
  const std::pair<const char*, bool> origins[] = {
      {"ad_list", true}, {"refresh", false}, {"deeplink", false}, {"webview", false}, {"AD_LIST", false}};
  for (const auto& [from, click] : origins) {
    SCOPED_TRACE(from);
    scope.log().clear();
    auto recorder = std::make_shared<Recorder>();
    VelkorApiClient::getAdDetail(1001, from, recordTo(recorder), failureTo(recorder));
    ASSERT_TRUE(recorder->waitFor(1));
    const auto sent = scope.log().entries(mock::Route::adDetail);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].queryValue("from"), from);
    EXPECT_EQ(sent[0].queryValue("is_click"), click ? std::optional<std::string>("1") : std::nullopt);
  }
}

// The faults every route is tried with.
enum class FaultKind { serverError, htmlPage, truncatedJson, wrongTypes, timeout, droppedConnection };

constexpr const char* kServerErrorBody = R"({"code":500,"message":"boom"})";
// The keys of every record with values of the wrong JSON type.
constexpr const char* kWrongTypesBody =
    R"({"ads":1,"tabs":1,"tags":1,"placements":1,"banners":1,"popups":1,"id":"x","ad_id":"x",)"
    R"("click_key":1,"landing_url":1,"share_link":1,"last_updated_at":1})";

const std::pair<const char*, mock::Fault> kFaults[] = {
    {"server_error", mock::Fault{}.withStatus(500).withBody(kServerErrorBody)},
    {"html_page", mock::Fault{}.htmlErrorPage()},
    {"truncated_json", mock::Fault{}.truncatedJson()},
    {"wrong_types", mock::Fault{}.withBody(kWrongTypesBody)},
    {"timeout", mock::Fault{}.withDelay(3000ms)},
    {"dropped_connection", mock::Fault{}.dropConnection()}};
std::string nameOf(FaultKind kind) { return kFaults[static_cast<int>(kind)].first; }
void PrintTo(FaultKind kind, std::ostream* out) { *out << nameOf(kind); }

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
  scope.servers().server(route.server).setFault(route.route, kFaults[static_cast<int>(fault)].second);
  auto recorder = std::make_shared<Recorder>();
  route.call(recorder);
  ASSERT_TRUE(recorder->waitFor(1));
  const Call call = recorder->calls().front();
  EXPECT_EQ(call.onMainThread, route.answersOnMain);
  switch (expectedOutcome(route.kind, fault)) {
    case Outcome::success:
      ASSERT_FALSE(call.error) << call.error->description();
      // The raw body, whatever it holds.
      if (fault == FaultKind::wrongTypes) { EXPECT_EQ(call.body, kWrongTypesBody); }
      if (fault == FaultKind::truncatedJson) { EXPECT_FALSE(base::parseJson(call.body).ok()) << call.body; }
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
      {"detail with an error status and an ad body", "api_ad_detail", mock::Fault{}.withStatus(500), "", "",
       0},
      {"opt-out with no content", "api_optout", mock::Fault{}.withStatus(204).withBody(""), "", "", 0},
      {"child ad found", "api_find_child_ad", std::nullopt, "3101", "", 0},
      {"child ad absent", "api_find_child_ad", status(200, "{}"), std::nullopt, velkor, 0},
      {"child ad id as text", "api_find_child_ad", status(200, R"({"ad_id":"3104"})"), std::nullopt, decoding,
       3},
      {"share link created", "api_share_link_detail",
       status(201, R"({"share_link":{"short_url":"https://s.example/x"}})"), "https://s.example/x", "", 0},
      {"share link not found", "api_share_link_detail", status(404, R"({"share_link":{"short_url":"x"}})"),
       std::nullopt, sdk, 404},
      {"share link with an empty body", "api_share_link_list", status(200, ""), std::nullopt, decoding, 4},
      {"banners without their list", "list_banners", status(200, "{}"), std::nullopt, decoding, 1},
      {"opt-out refused with a client error", "api_optout", status(403, R"({"code":403,"message":"no"})"),
       std::nullopt, velkor, 403},
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
      if (!answer.successBody->empty()) { EXPECT_EQ(call.body, *answer.successBody); }
    } else {
      ASSERT_TRUE(call.error);
      EXPECT_EQ(call.error->domain, answer.errorDomain) << call.error->description();
      EXPECT_EQ(call.error->code, answer.errorCode);
    }
  }
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

// Full addresses carry the uid and device ids: they are printed only with the debug flag on.
TEST(VelkorApiClientGuards, RequestAddressesArePrintedOnlyWithTheDebugFlag) {
  NetworkScope scope;
  UserProfile::setUid("uid-secret-42");
  auto printed = [&] {
    ::testing::internal::CaptureStderr();
    auto recorder = std::make_shared<Recorder>();
    for (const char* name : {"api_ad_list", "api_agreement", "list_ad_list"}) routeNamed(name)->call(recorder);
    EXPECT_TRUE(recorder->waitFor(3));
    return ::testing::internal::GetCapturedStderr();
  };
  EXPECT_EQ(printed().find("uid-secret-42"), std::string::npos);
  VelkorInternal::shared().setDebugEnabled(true);
  const std::string debugOutput = printed();
  EXPECT_NE(debugOutput.find("/api/ads?"), std::string::npos) << debugOutput;
  EXPECT_NE(debugOutput.find("uid-secret-42"), std::string::npos);
}

TEST(VelkorApiClientGuards, CallbacksLeftEmptyAreSkipped) {
  NetworkScope scope;
  VelkorApiClient::getTagList(nullptr, nullptr);
  VelkorApiClient::findChildAd(3001, nullptr);
  LogicListApiClient::getBannerList(nullptr);
  EXPECT_TRUE(scope.log().waitFor([](const auto&) { return true; }, 3, 10s));
  dispatch::main_loop::runUntil([] { return false; }, 200ms);
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
  EXPECT_EQ(stages.requests(), kRequests);
}

}  // namespace
}  // namespace velkor::testing
