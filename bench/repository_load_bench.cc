// A cold load of a 1,000-ad list through the ad repository from the local ad server (request, typed
// decoding on the main queue, response headers, cache refill with the reward total, ordered answer)
// against a raw libcurl GET of the same bytes plus simdjson's own parse of them, alternating in rounds
// in one run so that machine noise falls on both alike. Both keep their connection alive and accept
// the same encodings. The ad-list client's own GET and decoding, without the repository, is timed in
// the same rounds to tell the layers apart. Then a warm getAds, which the memory cache answers.
#include <curl/curl.h>
#include <simdjson.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "bench/bench_main.h"
#include "bench/local_server_table.h"
#include "platform/base/defaults.h"
#include "platform/dispatch/main_loop.h"
#include "tools/mock-server/mock_server.h"
#include "velkor/network/ad_repository.h"
#include "velkor/network/constants.h"
#include "velkor/network/logic_list_api_client.h"
#include "velkor/network/velkor_api_client.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kAdCount = 1000;

// The server's list with its ads repeated up to kAdCount, each under an id of its own.
std::string adListBody() {
  std::ifstream file(mock::Fixtures::defaultDirectory() + "/ad_list.json");
  std::stringstream text;
  text << file.rdbuf();
  nlohmann::json list = nlohmann::json::parse(text.str());
  const nlohmann::json ads = list["ads"];
  list["ads"] = nlohmann::json::array();
  for (std::size_t i = 0; i < kAdCount; ++i) {
    nlohmann::json ad = ads[i % ads.size()];
    ad["id"] = 100000 + i;
    list["ads"].push_back(std::move(ad));
  }
  return list.dump(2);
}

std::size_t append(char* data, std::size_t size, std::size_t count, void* body) {
  static_cast<std::string*>(body)->append(data, size * count);
  return size * count;
}

class RawClient {
 public:
  explicit RawClient(const std::string& url) : easy_(curl_easy_init()) {
    curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, append);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, &body_);
  }
  ~RawClient() { curl_easy_cleanup(easy_); }

  // The GET and the parse; the number of ads parsed, 0 on failure.
  std::size_t load() {
    body_.clear();
    if (curl_easy_perform(easy_) != CURLE_OK) return 0;
    body_.reserve(body_.size() + simdjson::SIMDJSON_PADDING);
    simdjson::dom::element root;
    if (parser_.parse(simdjson::padded_string_view(body_.data(), body_.size(), body_.capacity())).get(root)) return 0;
    simdjson::dom::array ads;
    if (root["ads"].get(ads)) return 0;
    return ads.size();
  }

 private:
  CURL* easy_;
  std::string body_;
  simdjson::dom::parser parser_;
};

// One getAds, waited for on the main loop where the repository answers.
std::size_t repositoryLoad(velkor::AdRepository& repository) {
  std::size_t count = 0;
  bool done = false;
  repository.getAds(
      "ad_list",
      [&](velkor::AdArray ads, std::vector<velkor::Tab>) {
        count = ads.size();
        done = true;
      },
      [&](velkor::Error) { done = true; });
  dispatch::main_loop::runUntil([&] { return done; }, std::chrono::seconds(10));
  return count;
}

// The client alone: the request, the answer decoded on the main queue, no repository.
std::size_t clientLoad() {
  std::size_t count = 0;
  bool done = false;
  velkor::VelkorApiClient::getAdList(
      "ad_list",
      [&](std::optional<net::Response>, velkor::AdList list) {
        count = list.ads.size();
        done = true;
      },
      [&](velkor::Error) { done = true; });
  dispatch::main_loop::runUntil([&] { return done; }, std::chrono::seconds(10));
  return count;
}

std::size_t coldLoad(velkor::AdRepository& repository) {
  repository.localDataSource()->clear();
  return repositoryLoad(repository);
}

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The local server with the big list, the SDK pointed at it, a store in memory.
class Setup {
 public:
  Setup() {
    base::Defaults::setStandard(base::Defaults::inMemory());
    server_.start();
    server_.setFault(mock::Route::adList, mock::Fault{}.withBody(adListBody()).withoutHeader("X-Tag-Last-Updated-At").sticky());
    velkor::Constants::installServerTables(velkor::Constants::everyStage(bench::tableFor(server_.baseUrl())));
    velkor::VelkorApiClient::resetBaseUrl();
    velkor::LogicListApiClient::resetBaseUrl();
  }
  std::string listUrl() const { return server_.baseUrl() + "/api/ads"; }

 private:
  mock::MockServer server_{"LOGIC_LIST"};
};

Setup& setup() {
  static Setup* instance = new Setup();
  return *instance;
}

void BM_ColdLoadAgainstRawGetAndParse(benchmark::State& state) {
  const int loadsEach = bench::count(200, 4), rounds = bench::count(10, 2), warmUp = bench::count(10, 1);
  RawClient raw(setup().listUrl());
  auto repository = std::make_shared<velkor::AdRepository>(nullptr, nullptr);
  for (int i = 0; i < warmUp; ++i) {
    raw.load();
    coldLoad(*repository);
  }
  // The ads the default user sees, of the list's kAdCount.
  const std::size_t visible = coldLoad(*repository);
  if (raw.load() != kAdCount || visible == 0) state.SkipWithError("the list did not load");
  for (auto _ : state) {
    Clock::duration rawTime{}, repositoryTime{}, clientTime{};
    bool failed = false;
    for (int round = 0; round < rounds; ++round) {
      auto start = Clock::now();
      for (int i = 0; i < loadsEach / rounds; ++i) failed |= raw.load() != kAdCount;
      auto middle = Clock::now();
      for (int i = 0; i < loadsEach / rounds; ++i) failed |= coldLoad(*repository) != visible;
      auto last = Clock::now();
      for (int i = 0; i < loadsEach / rounds; ++i) failed |= clientLoad() != kAdCount;
      rawTime += middle - start;
      repositoryTime += last - middle;
      clientTime += Clock::now() - last;
    }
    if (failed) state.SkipWithError("a load did not bring the whole list");
    const double rawMs = seconds(rawTime) * 1000 / loadsEach;
    const double repositoryMs = seconds(repositoryTime) * 1000 / loadsEach;
    state.counters["raw_ms"] = rawMs;
    state.counters["repository_ms"] = repositoryMs;
    const double clientMs = seconds(clientTime) * 1000 / loadsEach;
    state.counters["client_ms"] = clientMs;
    state.counters["loads_each"] = loadsEach;
  }
}
BENCHMARK(BM_ColdLoadAgainstRawGetAndParse)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_WarmGetAds(benchmark::State& state) {
  setup();
  auto repository = std::make_shared<velkor::AdRepository>(nullptr, nullptr);
  const std::size_t visible = coldLoad(*repository);
  if (visible == 0) state.SkipWithError("the list did not load");
  for (auto _ : state) {
    if (repositoryLoad(*repository) != visible) state.SkipWithError("the cache did not answer");
  }
  state.counters["ads"] = static_cast<double>(visible);
}
BENCHMARK(BM_WarmGetAds)->Unit(benchmark::kMicrosecond);

void printVerdict(const bench::Results& results) {
  const bench::Figures* run = results.find("BM_ColdLoadAgainstRawGetAndParse");
  if (!run) return;
  const double raw = run->counter("raw_ms"), repository = run->counter("repository_ms");
  const double client = run->counter("client_ms");
  std::printf("\n%zu ads, %.0f loads each: raw GET + simdjson parse %.3f ms, cold repository load %.3f ms\n", kAdCount,
              run->counter("loads_each"), raw, repository);
  std::printf("of which the ad-list client alone (GET and decoding on the main queue): %.3f ms, %.2f times the raw "
              "pair\n",
              client, client / raw);
  std::printf("cold load's time over the raw pair's: %.2f (at most 2 wanted): %s\n", repository / raw,
              bench::verdict(repository <= 2 * raw));
}

}  // namespace

int main(int argc, char** argv) { return bench::run(argc, argv, printVerdict); }
