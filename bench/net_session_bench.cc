// Small sequential GETs over loopback: each through a new net::Session, as the SDK sends its
// requests, against one reused raw libcurl handle. Both run in the same process, against the same
// server, alternating in rounds so that machine noise falls on both alike. The process keeps to the
// one processor it starts on: on a shared or virtual machine, waking a thread on an idle processor
// costs tens of microseconds at random, which would swamp a 20-microsecond exchange and measure the
// scheduler rather than either client.
#include <sched.h>
#include <curl/curl.h>
#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <semaphore>
#include <string>
#include <thread>

#include "bench/bench_main.h"
#include "platform/net/session.h"

namespace {

using Clock = std::chrono::steady_clock;


// A body the size of a small API answer, in a type the server sends as it is (uncompressed), so
// both clients receive the same bytes.
const std::string payload = std::string(R"({"code":0,"message":"ok","items":[)") + std::string(200, '1') + "]}";

class Server {
 public:
  Server() {
    server_.set_tcp_nodelay(true);
    server_.set_keep_alive_max_count(1'000'000);
    // stop() waits for every kept-alive connection to time out, and the network thread's cache
    // keeps one open to the end; rounds follow each other at once, so a short time-out loses none.
    server_.set_keep_alive_timeout(2);
    server_.Get("/ping", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(payload, "application/octet-stream");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~Server() {
    server_.stop();
    thread_.join();
  }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/ping"; }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

std::size_t discard(char*, std::size_t size, std::size_t count, void* received) {
  *static_cast<std::size_t*>(received) += size * count;
  return size * count;
}

class RawClient {
 public:
  explicit RawClient(const std::string& url) : easy_(curl_easy_init()) {
    curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, discard);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, &received_);
  }
  ~RawClient() { curl_easy_cleanup(easy_); }

  bool get() {
    received_ = 0;
    long status = 0;
    if (curl_easy_perform(easy_) != CURLE_OK) return false;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &status);
    return status == 200 && received_ == payload.size();
  }

 private:
  CURL* easy_;
  std::size_t received_ = 0;
};

// GETs one after another, each on a session made for it and started from the completion of the
// one before, as SDK code goes on from a completion. Returns the number that failed.
class SessionChain : public std::enable_shared_from_this<SessionChain> {
 public:
  explicit SessionChain(base::Url url) : url_(std::move(url)) {}

  int run(int count) {
    remaining_ = count;
    failures_ = 0;
    next();
    done_.acquire();
    return failures_;
  }

 private:
  void next() {
    auto session = net::Session::make();
    session
        ->dataTask(net::Request(url_),
                   [self = shared_from_this()](net::Data data, std::optional<net::Response> response,
                                               std::optional<net::Error>) {
                     bool ok = response && response->statusCode() == 200 && data && *data == payload;
                     self->failures_ += ok ? 0 : 1;
                     if (--self->remaining_ > 0) {
                       self->next();
                     } else {
                       self->done_.release();
                     }
                   })
        ->resume();
  }

  const base::Url url_;
  // Touched by one completion at a time, each started by the one before.
  int remaining_ = 0;
  int failures_ = 0;
  std::binary_semaphore done_{0};
};

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Threads started afterwards (the server's, the network thread, the workers) inherit it.
void keepToThisProcessor() {
  cpu_set_t set;
  CPU_ZERO(&set);
  CPU_SET(sched_getcpu(), &set);
  sched_setaffinity(0, sizeof set, &set);
}

void BM_SessionAgainstRawCurl(benchmark::State& state) {
  const int requestsEach = bench::count(2000, 40), rounds = bench::count(8, 2), warmUp = bench::count(50, 5);
  keepToThisProcessor();
  Server server;
  base::Url url = *base::Url::parse(server.url());
  RawClient raw(server.url());
  auto chain = std::make_shared<SessionChain>(url);
  for (int i = 0; i < warmUp; ++i) raw.get();
  chain->run(warmUp);
  for (auto _ : state) {
    Clock::duration rawTime{}, sessionTime{};
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
      auto start = Clock::now();
      for (int i = 0; i < requestsEach / rounds; ++i) failures += raw.get() ? 0 : 1;
      auto middle = Clock::now();
      failures += chain->run(requestsEach / rounds);
      rawTime += middle - start;
      sessionTime += Clock::now() - middle;
    }
    if (failures > 0) state.SkipWithError("a GET failed");
    double rawRate = requestsEach / seconds(rawTime);
    double sessionRate = requestsEach / seconds(sessionTime);
    state.counters["raw_curl_req_per_s"] = rawRate;
    state.counters["session_req_per_s"] = sessionRate;
    state.counters["gets_each"] = requestsEach;
  }
}
BENCHMARK(BM_SessionAgainstRawCurl)->Iterations(1)->Unit(benchmark::kMillisecond);

void printVerdict(const bench::Results& results) {
  const bench::Figures* run = results.find("BM_SessionAgainstRawCurl");
  if (!run) return;
  const double raw = run->counter("raw_curl_req_per_s"), session = run->counter("session_req_per_s");
  std::printf("\n%.0f GETs each: raw libcurl %.0f req/s, a new session per request %.0f req/s\n",
              run->counter("gets_each"), raw, session);
  std::printf("sessions' rate over raw libcurl's: %.3f (at least 0.8 wanted): %s\n", session / raw,
              bench::verdict(session / raw >= 0.8));
}

}  // namespace

int main(int argc, char** argv) { return bench::run(argc, argv, printVerdict); }
