#include "tools/mock-server/mock_server.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include <httplib.h>

#include "tools/mock-server/images.h"
#include "tools/mock-server/placeholders.h"
#include "tools/mock-server/task_queue.h"

namespace mock {
namespace {

constexpr const char* kJsonType = "application/json; charset=utf-8";
constexpr const char* kHtmlType = "text/html; charset=utf-8";
constexpr const char* kMalformedJson = R"({"ads": [{"id": 1,, "title": }], oops)";
constexpr const char* kHtmlErrorPage =
    "<!DOCTYPE html>\n<html><head><title>502 Bad Gateway</title></head>\n"
    "<body><h1>502 Bad Gateway</h1><p>The upstream server did not answer.</p></body></html>\n";
// httplib adds these to a request's headers; they are no part of what the client sent.
constexpr std::string_view kPseudoHeaders[] = {"REMOTE_ADDR", "REMOTE_PORT", "LOCAL_ADDR", "LOCAL_PORT"};

struct Reply {
  int status = 200;
  std::string contentType = kJsonType;
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;
};

bool sameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

std::string dumpJson(const nlohmann::json& json) {
  return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string errorBody(int code, std::string_view message) {
  return dumpJson({{"code", code}, {"message", message}});
}

// The longest prefix of at most half the text that does not split a UTF-8 sequence.
std::string firstHalf(const std::string& text) {
  size_t cut = text.size() / 2;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut);
}

int portOf(const sockaddr_storage& address) {
  if (address.ss_family == AF_INET) return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
  if (address.ss_family == AF_INET6) return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
  return -1;
}

// httplib gives no access to the sockets of its connections, so they are found among the process's
// descriptors by their two ports. visit(fd, localPort, peerPort) is called for each connected
// socket until it returns false.
void forEachConnection(const std::function<bool(int, int, int)>& visit) {
  DIR* descriptors = opendir("/proc/self/fd");
  if (!descriptors) return;
  while (dirent* entry = readdir(descriptors)) {
    if (!std::isdigit(static_cast<unsigned char>(entry->d_name[0]))) continue;
    const int fd = std::atoi(entry->d_name);
    sockaddr_storage local{};
    sockaddr_storage peer{};
    socklen_t localLength = sizeof local;
    socklen_t peerLength = sizeof peer;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLength) != 0) continue;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0) continue;
    if (!visit(fd, portOf(local), portOf(peer))) break;
  }
  closedir(descriptors);
}

// Shuts the request's connection down; httplib's own write then fails and it closes the socket
// itself. The descriptor cannot be reused meanwhile: its connection is the one this thread serves.
void dropConnection(const httplib::Request& request) {
  forEachConnection([&request](int fd, int localPort, int peerPort) {
    if (localPort != request.local_port || peerPort != request.remote_port) return true;
    shutdown(fd, SHUT_RDWR);
    return false;
  });
}

// A connection kept alive for a next request holds its thread, and with it the server's stop, for
// the idle keep-alive. Shutting the reading side of every connection to the port wakes those
// threads, which then find the server stopped; an answer being written still goes out whole.
void stopReadingConnections(int port) {
  forEachConnection([port](int fd, int localPort, int) {
    if (localPort == port) shutdown(fd, SHUT_RD);
    return true;
  });
}

LoggedRequest logEntry(const std::string& kind, Route route, const httplib::Request& request) {
  LoggedRequest entry;
  entry.server = kind;
  entry.route = route;
  entry.method = request.method;
  entry.path = request.path;
  const size_t question = request.target.find('?');
  if (question != std::string::npos) entry.rawQuery = request.target.substr(question + 1);
  entry.query.insert(request.params.begin(), request.params.end());
  for (const auto& [name, value] : request.headers) {
    if (std::ranges::find(kPseudoHeaders, name) == std::end(kPseudoHeaders)) entry.headers.emplace_back(name, value);
  }
  entry.body = request.body;
  return entry;
}

void changeHeader(Reply& reply, const std::string& name, const std::optional<std::string>& value,
                  const ServeContext& context) {
  if (sameName(name, "Content-Type")) {
    reply.contentType = value ? expandPlaceholders(*value, context) : std::string();
    return;
  }
  std::erase_if(reply.headers, [&](const auto& header) { return sameName(header.first, name); });
  if (value) reply.headers.emplace_back(name, expandPlaceholders(*value, context));
}

void applyFault(const Fault& fault, const ServeContext& context, Reply& reply) {
  if (fault.replacementBody) reply.body = expandPlaceholders(*fault.replacementBody, context);
  switch (fault.bodyFault) {
    case BodyFault::none:
      break;
    case BodyFault::malformedJson:
      reply.body = kMalformedJson;
      break;
    case BodyFault::truncatedJson:
      reply.body = firstHalf(reply.body);
      break;
    case BodyFault::htmlErrorPage:
      reply.status = 502;
      reply.contentType = kHtmlType;
      reply.body = kHtmlErrorPage;
      break;
  }
  if (fault.statusCode) reply.status = *fault.statusCode;
  if (fault.contentType) reply.contentType = *fault.contentType;
  for (const auto& [name, value] : fault.headerChanges) changeHeader(reply, name, value, context);
}

// Sends status and headers with the full length, then half of the body, then fails the write so that
// httplib closes the connection.
void sendHalfBody(const Reply& reply, httplib::Response& response) {
  auto sent = std::make_shared<std::string>(firstHalf(reply.body));
  const size_t declared = std::max(reply.body.size(), sent->size() + 1);
  response.set_content_provider(declared, reply.contentType,
                                [sent](size_t offset, size_t, httplib::DataSink& sink) {
                                  if (offset > 0 || sent->empty()) return false;
                                  sink.write(sent->data(), sent->size());
                                  return true;
                                });
}

// An answer with such a status ends with its headers, whatever the route's body: a client reads any
// bytes after them as the start of the next answer on the same connection.
bool carriesNoBody(int status) { return status < 200 || status == 204 || status == 304; }

void send(const Reply& reply, bool halfBody, httplib::Response& response) {
  response.status = reply.status;
  for (const auto& [name, value] : reply.headers) response.set_header(name, value);
  if (carriesNoBody(reply.status)) return;
  if (halfBody) return sendHalfBody(reply, response);
  response.body = reply.body;
  if (!reply.contentType.empty()) response.set_header("Content-Type", reply.contentType);
}

}  // namespace

struct MockServer::Impl {
  Impl(std::string kindName, MockServerOptions serverOptions)
      : kind(std::move(kindName)), options(std::move(serverOptions)),
        log(options.log ? options.log : std::make_shared<RequestLog>()),
        fixtures(std::make_shared<const Fixtures>()) {}

  void handle(const httplib::Request& request, httplib::Response& response);
  Reply answer(const RouteMatch& match, const httplib::Request& request, ServeContext& context);
  Reply jsonReply(Route route, int status, const nlohmann::json& body, const ServeContext& context) const;
  Reply shareLinkReply(Route route, const httplib::Request& request, ServeContext& context) const;
  Reply imageReply(const std::string& path);
  std::optional<Fault> takeFault(Route route);
  bool waitUnlessStopping(std::chrono::milliseconds delay);
  bool listen();
  void warmUp();
  std::string baseUrl() const { return "http://127.0.0.1:" + std::to_string(port); }

  const std::string kind;
  const MockServerOptions options;
  const std::shared_ptr<RequestLog> log;
  std::shared_ptr<const Fixtures> fixtures;
  std::string error;
  httplib::Server server;
  std::thread thread;
  std::atomic<bool> listenEnded = false;
  std::atomic<bool> warmingUp = true;
  std::atomic<GrowingTaskQueue*> taskQueue = nullptr;  // valid while the accept loop runs
  int port = 0;
  bool started = false;

  std::mutex faultMutex;
  std::map<Route, std::deque<Fault>> faults;

  std::mutex stopMutex;
  std::condition_variable stopping;
  bool stopRequested = false;

  std::mutex imageMutex;
  std::map<std::string, std::optional<EncodedImage>> images;
};

void MockServer::Impl::handle(const httplib::Request& request, httplib::Response& response) {
  if (warmingUp) return response.set_content("{}", kJsonType);
  const RouteMatch match = matchRoute(request.method, request.path);
  // The fault is taken before the request shows in the log: a test that waits for a request to be
  // logged may send the next one at once, and that one must not take this one's fault.
  const std::optional<Fault> fault = takeFault(match.route);
  log->record(logEntry(kind, match.route, request));
  const bool delayCut = fault && fault->delay.count() > 0 && !waitUnlessStopping(fault->delay);
  if (delayCut || (fault && fault->connectionFault == ConnectionFault::dropBeforeResponse)) {
    dropConnection(request);
    return;
  }
  ServeContext context{baseUrl(), std::chrono::system_clock::now(), match.adId};
  Reply reply = answer(match, request, context);
  if (fault) applyFault(*fault, context, reply);
  send(reply, fault && fault->connectionFault == ConnectionFault::dropMidBody, response);
}

Reply MockServer::Impl::answer(const RouteMatch& match, const httplib::Request& request, ServeContext& context) {
  const Fixtures& data = *fixtures;
  const long long adId = match.adId.value_or(-1);
  switch (match.route) {
    case Route::adList:
      return jsonReply(match.route, 200, data.adList(), context);
    case Route::placements:
      return jsonReply(match.route, 200, data.placements(), context);
    case Route::tags:
      return jsonReply(match.route, 200, data.tags(), context);
    case Route::banners:
      return jsonReply(match.route, 200, data.banners(), context);
    case Route::popups:
      return jsonReply(match.route, 200, data.popups(), context);
    case Route::adDetail: {
      nlohmann::json detail = data.adDetail(adId);
      if (detail.is_null()) return {404, kJsonType, errorBody(404, "광고를 찾을 수 없습니다."), {}};
      return jsonReply(match.route, 200, detail, context);
    }
    case Route::findChildAd:
      return jsonReply(match.route, 200, data.childAd(adId), context);
    case Route::participate:
    case Route::optout: {
      const FixtureAnswer fixed = match.route == Route::participate ? data.participation(adId) : data.optout(adId);
      return jsonReply(match.route, fixed.status, fixed.body, context);
    }
    case Route::shareLinkAdList:
    case Route::shareLinkAdDetail:
      return shareLinkReply(match.route, request, context);
    case Route::impression:
    case Route::agreement:
    case Route::postback:
    case Route::lumberjack:
      return jsonReply(match.route, 200, nlohmann::json::object(), context);
    case Route::help:
      return {200, kHtmlType, expandPlaceholders(data.helpPage(), context), data.headers(match.route)};
    case Route::image:
      return imageReply(request.path);
    case Route::page:
      if (const std::string* page = data.page(request.path.substr(request.path.rfind('/') + 1))) {
        return {200, kHtmlType, expandPlaceholders(*page, context), {}};
      }
      break;
    case Route::unknown:
      break;
  }
  return {404, kJsonType, errorBody(404, "Not Found"), {}};
}

// The share link's ad id travels in the JSON body, as a number.
Reply MockServer::Impl::shareLinkReply(Route route, const httplib::Request& request, ServeContext& context) const {
  const auto body = nlohmann::json::parse(request.body, nullptr, false);
  if (!body.is_object() || !body.contains("ad_id") || !body["ad_id"].is_number_integer()) {
    return {400, kJsonType, errorBody(400, "ad_id가 필요합니다."), {}};
  }
  context.adId = body["ad_id"].get<long long>();
  return jsonReply(route, 200, fixtures->shareLink(), context);
}

Reply MockServer::Impl::jsonReply(Route route, int status, const nlohmann::json& body,
                                  const ServeContext& context) const {
  Reply reply{status, kJsonType, expandPlaceholders(dumpJson(body), context), {}};
  for (const auto& [name, value] : fixtures->headers(route)) {
    reply.headers.emplace_back(name, expandPlaceholders(value, context));
  }
  return reply;
}

Reply MockServer::Impl::imageReply(const std::string& path) {
  const std::string name = path.substr(path.rfind('/') + 1);
  std::lock_guard lock(imageMutex);
  auto found = images.find(name);
  if (found == images.end()) found = images.emplace(name, renderImage(name)).first;
  if (!found->second) return {404, kJsonType, errorBody(404, "Not Found"), {}};
  return {200, found->second->mimeType, found->second->bytes, {}};
}

std::optional<Fault> MockServer::Impl::takeFault(Route route) {
  std::lock_guard lock(faultMutex);
  auto& queue = faults[route];
  if (queue.empty()) return std::nullopt;
  Fault fault = queue.front();
  if (!fault.isSticky) queue.pop_front();
  return fault;
}

bool MockServer::Impl::waitUnlessStopping(std::chrono::milliseconds delay) {
  std::unique_lock lock(stopMutex);
  return !stopping.wait_for(lock, delay, [this] { return stopRequested; });
}

bool MockServer::Impl::listen() {
  int listening = -1;
  // Only SO_REUSEADDR: httplib's default SO_REUSEPORT would let two servers share a port silently.
  server.set_socket_options([&listening](int fd) {
    int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    listening = fd;
  });
  const size_t threads = static_cast<size_t>(std::max(options.threads, 1));
  server.new_task_queue = [this, threads] {
    auto* queue = new GrowingTaskQueue(threads);
    taskQueue = queue;
    return queue;
  };
  // A short idle keep-alive frees a connection's thread soon; sequential requests still reuse it.
  server.set_keep_alive_timeout(1);
  // httplib writes headers and body apart; without this, Nagle's delay meets the client's delayed
  // acknowledgement and every answer on a reused connection waits 40 ms.
  server.set_tcp_nodelay(true);
  server.set_keep_alive_max_count(1000);
  auto handler = [this](const httplib::Request& request, httplib::Response& response) { handle(request, response); };
  server.Get(".*", handler).Post(".*", handler).Put(".*", handler).Patch(".*", handler).Delete(".*", handler);

  port = options.port == 0 ? server.bind_to_any_port("127.0.0.1")
                           : (server.bind_to_port("127.0.0.1", options.port) ? options.port : -1);
  if (port <= 0) {
    error = "cannot listen on 127.0.0.1:" + std::to_string(options.port);
    return false;
  }
  // httplib's backlog is 5: a burst of clients would wait for SYN retries. Listening again widens it.
  if (listening >= 0) ::listen(listening, SOMAXCONN);
  thread = std::thread([this] {
    server.listen_after_bind();
    listenEnded = true;
  });
  // stop() is a no-op until the accept loop runs, so start() returns only once it does.
  while (!server.is_running() && !listenEnded) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  warmUp();
  return true;
}

// httplib is a prebuilt library that ThreadSanitizer does not instrument, so the one-time initialisation
// of its function-local statics is invisible to it: two connections served at once for the first time
// look like a data race. One request of each method, served before anyone else can connect, builds
// them; every later connection's thread then starts, through the task queue's mutex, after that.
void MockServer::Impl::warmUp() {
  httplib::Client client("127.0.0.1", port);
  client.set_keep_alive(false);
  client.Get("/");
  client.Post("/", "{}", "application/json");
  if (GrowingTaskQueue* queue = taskQueue.load()) queue->waitUntilIdle();
  taskQueue = nullptr;
  warmingUp = false;
}

MockServer::MockServer(std::string kind, MockServerOptions options)
    : impl_(std::make_unique<Impl>(std::move(kind), std::move(options))) {}

MockServer::~MockServer() { stop(); }

bool MockServer::start() {
  if (impl_->started) {
    impl_->error = "the server was started before";
    return false;
  }
  impl_->started = true;
  std::string error;
  auto fixtures = Fixtures::loadOnce(impl_->options.fixturesDirectory, error);
  if (!fixtures) {
    impl_->error = error;
    return false;
  }
  impl_->fixtures = std::move(fixtures);
  return impl_->listen();
}

void MockServer::stop() {
  {
    std::lock_guard lock(impl_->stopMutex);
    impl_->stopRequested = true;
  }
  impl_->stopping.notify_all();
  impl_->server.stop();
  if (!impl_->thread.joinable()) return;
  stopReadingConnections(impl_->port);
  impl_->thread.join();
}

bool MockServer::isRunning() const { return impl_->server.is_running(); }

const std::string& MockServer::error() const { return impl_->error; }

const std::string& MockServer::kind() const { return impl_->kind; }

int MockServer::port() const { return impl_->port; }

std::string MockServer::baseUrl() const { return impl_->baseUrl(); }

RequestLog& MockServer::log() const { return *impl_->log; }

std::shared_ptr<RequestLog> MockServer::sharedLog() const { return impl_->log; }

const Fixtures& MockServer::fixtures() const { return *impl_->fixtures; }

void MockServer::setFault(Route route, Fault fault) {
  std::lock_guard lock(impl_->faultMutex);
  impl_->faults[route].push_back(std::move(fault));
}

void MockServer::clearFaults() {
  std::lock_guard lock(impl_->faultMutex);
  impl_->faults.clear();
}

}  // namespace mock
