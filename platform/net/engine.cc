#include "platform/net/engine.h"

#include <curl/curl.h>
#include <simdjson.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/net/header_fields.h"
#include "platform/net/session.h"

namespace net {

namespace {

constexpr long maxRedirects = 16;
// As many parallel connections to one host as the phone platform opens; more transfers wait.
constexpr long maxConnectionsPerHost = 6;
constexpr std::size_t maxIdleHandles = 16;
// libcurl shortens the wait to its own next time-out, and a posted command wakes it at once.
constexpr int idleWaitMs = 60'000;
// A thread woken from sleep takes from a few to tens of microseconds to run again (more on a
// virtual machine), longer than a whole loopback exchange. So after any activity the network
// thread keeps polling, without sleeping, this long: a reply or the next request usually comes
// within it, and a quiet thread costs no more than this per burst.
constexpr auto spinWindow = std::chrono::microseconds(100);

// One transfer in flight: the task and what libcurl needs kept alive until it ends.
struct Transfer {
  std::shared_ptr<DataTask> task;
  const TaskSettings* settings = nullptr;  // the task's
  CURL* easy = nullptr;
  curl_slist* headers = nullptr;
  std::string body;
  bool bodyTooLong = false;
  char errorText[CURL_ERROR_SIZE] = {};

  ~Transfer() { curl_slist_free_all(headers); }
};

// A body keeps this much spare capacity so that the JSON decoder can parse it without a copy.
constexpr std::size_t bodyPadding = simdjson::SIMDJSON_PADDING;
// The announced length is trusted for the first reservation only up to this much.
constexpr curl_off_t maxLengthHint = 64 << 20;

// Room for `more` bytes and the padding: the announced length at once, then growing by doubling.
void makeRoom(Transfer& transfer, std::size_t more) {
  std::string& body = transfer.body;
  const std::size_t needed = body.size() + more + bodyPadding;
  if (needed <= body.capacity()) return;
  curl_off_t announced = -1;
  if (body.empty()) curl_easy_getinfo(transfer.easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
  const auto limit =
      static_cast<curl_off_t>(std::min<std::size_t>(transfer.settings->maximumBodySize, maxLengthHint));
  std::size_t hinted = announced > 0 ? static_cast<std::size_t>(std::min(announced, limit)) + bodyPadding : 0;
  body.reserve(std::max({needed, hinted, 2 * body.capacity()}));
}

std::size_t appendBody(char* data, std::size_t size, std::size_t count, void* userData) {
  auto& transfer = *static_cast<Transfer*>(userData);
  // libcurl hands decompressed bytes here a few kilobytes at a time, so a small answer that
  // expands without end is stopped as soon as it passes the limit.
  if (size * count > transfer.settings->maximumBodySize - transfer.body.size()) {
    transfer.bodyTooLong = true;
    return CURL_WRITEFUNC_ERROR;
  }
  makeRoom(transfer, size * count);
  transfer.body.append(data, size * count);
  return size * count;
}

ErrorCode errorCodeFor(CURLcode code) {
  switch (code) {
    case CURLE_URL_MALFORMAT: return ErrorCode::BadUrl;
    case CURLE_UNSUPPORTED_PROTOCOL: return ErrorCode::UnsupportedUrl;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return ErrorCode::CannotFindHost;
    case CURLE_COULDNT_CONNECT: return ErrorCode::CannotConnectToHost;
    case CURLE_OPERATION_TIMEDOUT: return ErrorCode::TimedOut;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
    case CURLE_GOT_NOTHING: return ErrorCode::NetworkConnectionLost;
    case CURLE_TOO_MANY_REDIRECTS: return ErrorCode::HttpTooManyRedirects;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_BAD_CONTENT_ENCODING:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
    case CURLE_HTTP3: return ErrorCode::BadServerResponse;
    case CURLE_PEER_FAILED_VERIFICATION: return ErrorCode::ServerCertificateUntrusted;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER: return ErrorCode::SecureConnectionFailed;
    default: return ErrorCode::Unknown;
  }
}

Outcome failure(ErrorCode code, std::string_view detail = {}) {
  return Outcome::failure(Error::make(code, detail));
}

bool isToken(std::string_view text) {
  static constexpr std::string_view punctuation = "!#$%&'*+-.^_`|~";
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           punctuation.find(c) != std::string_view::npos;
  });
}

bool isFieldValue(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) == text.npos; }

// The request's fields as libcurl lines, with libcurl's "Expect: 100-continue" turned off. A name
// or value that would let a caller's text forge more header lines fails the request.
std::optional<Error> headerLines(const HeaderFields& fields, curl_slist*& list) {
  auto append = [&list](const std::string& line) {
    curl_slist* longer = curl_slist_append(list, line.c_str());
    if (longer) list = longer;
    return longer != nullptr;
  };
  for (const auto& [name, value] : fields.all()) {
    if (!isToken(name) || !isFieldValue(value)) return Error::make(ErrorCode::BadUrl, "invalid header field " + name);
    // libcurl sends "Name;" as a field with an empty value.
    if (!append(value.empty() ? name + ";" : name + ": " + value)) return Error::make(ErrorCode::Unknown);
  }
  if (!fields.value("Expect") && !append("Expect:")) return Error::make(ErrorCode::Unknown);
  return std::nullopt;
}

// Every method setting is made afresh, since the handle may have carried another method before.
void setMethod(CURL* easy, const Request& request) {
  const std::string& method = request.httpMethod();
  // Clearing the body makes libcurl's method POST, so the GET that follows must come after it.
  curl_easy_setopt(easy, CURLOPT_POSTFIELDS, nullptr);
  curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t{-1});
  curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  bool standard = method == "GET" || method == "POST" || method == "HEAD";
  curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, standard ? nullptr : method.c_str());
  if (method == "GET") return;
  if (method == "HEAD") {
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    return;
  }
  if (request.httpBody() || method == "POST") {
    const std::string* body = request.httpBody() ? &*request.httpBody() : nullptr;
    // The request outlives the transfer (the transfer holds its task), so no copy is needed.
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body ? body->size() : 0));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, body ? body->data() : "");
  }
}

// Certificates in memory replace the system's; none restores them.
void setAuthority(CURL* easy, const std::string* pem) {
  if (!pem) {
    curl_easy_setopt(easy, CURLOPT_CAINFO_BLOB, nullptr);
    return;
  }
  curl_blob blob{const_cast<char*>(pem->data()), pem->size(), CURL_BLOB_COPY};
  curl_easy_setopt(easy, CURLOPT_CAINFO_BLOB, &blob);
}

long timeoutMs(const Request& request) {
  double ms = effectiveTimeout(request).count() * 1000.0;
  return static_cast<long>(std::clamp(ms, 1.0, static_cast<double>(LONG_MAX / 2)));
}

// libcurl hands an empty field's value on with the line's "\r" still attached.
std::string_view fieldValue(const char* raw) {
  std::string_view value(raw);
  while (!value.empty() && (value.back() == '\r' || value.back() == '\n')) value.remove_suffix(1);
  return value;
}

HeaderFields responseHeaders(CURL* easy) {
  HeaderFields fields;
  curl_header* header = nullptr;
  while ((header = curl_easy_nextheader(easy, CURLH_HEADER, -1, header))) {
    fields.add(header->name, fieldValue(header->value));
  }
  return fields;
}

bool hasScheme(const base::Url& url, std::string_view scheme) {
  return url.scheme() && equalsIgnoringCase(*url.scheme(), scheme);
}

bool isHttps(const base::Url& url) {
  return hasScheme(url, "https");
}

// What a transfer that libcurl ended with an error ends its task with.
Outcome failureOutcome(Transfer& transfer, CURLcode result) {
  if (transfer.bodyTooLong) {
    return failure(ErrorCode::DataLengthExceedsMaximum,
                   "over " + std::to_string(transfer.settings->maximumBodySize) + " bytes");
  }
  char* url = nullptr;
  curl_easy_getinfo(transfer.easy, CURLINFO_EFFECTIVE_URL, &url);
  std::optional<base::Url> last = url ? base::Url::parse(url) : std::nullopt;
  // An https request follows redirects to https only (see configure), so the query, headers and
  // body it carries never travel in clear.
  if (result == CURLE_UNSUPPORTED_PROTOCOL && isHttps(transfer.task->originalRequest().url()) && last &&
      hasScheme(*last, "http")) {
    return failure(ErrorCode::AppTransportSecurityRequiresSecureConnection,
                   "redirected to " + std::string(url));
  }
  return failure(errorCodeFor(result),
                 transfer.errorText[0] ? transfer.errorText : curl_easy_strerror(result));
}

Outcome responseOutcome(Transfer& transfer) {
  long status = 0;
  char* url = nullptr;
  curl_easy_getinfo(transfer.easy, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_getinfo(transfer.easy, CURLINFO_EFFECTIVE_URL, &url);
  if (status < 100 || status > 999) return failure(ErrorCode::BadServerResponse, "no HTTP status");
  const base::Url& requested = transfer.task->originalRequest().url();
  // Only a redirect makes the final URL differ from the one asked for.
  std::optional<base::Url> redirected =
      url && requested.absoluteString() != url ? base::Url::parse(url) : std::nullopt;
  auto body = std::make_shared<const std::string>(std::move(transfer.body));
  Response response(redirected ? std::move(*redirected) : requested, static_cast<int>(status),
                    responseHeaders(transfer.easy), body);
  return Outcome::success(std::move(body), std::move(response));
}

}  // namespace

struct Engine::Impl {
  struct Command {
    bool start;
    std::shared_ptr<DataTask> task;
  };

  CURLM* multi = nullptr;
  CURLSH* share = nullptr;
  std::mutex mutex;
  std::vector<Command> inbox;  // guarded by mutex
  // Set with the inbox filled, cleared when it is emptied: read while spinning, without the lock.
  std::atomic<bool> hasCommands = false;
  // True while the network thread may be asleep in libcurl's poll, so a command must wake it; a
  // spinning thread sees the command by itself, and the wake-up's system calls are saved.
  std::atomic<bool> sleeping = false;
  // The rest belongs to the network thread.
  std::unordered_map<const DataTask*, std::unique_ptr<Transfer>> running;
  std::vector<CURL*> idleHandles;

  Impl() {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    multi = curl_multi_init();
    curl_multi_setopt(multi, CURLMOPT_MAX_HOST_CONNECTIONS, maxConnectionsPerHost);
    // The multi handle already shares connections; host names and TLS sessions go in a share so
    // that recycled handles keep them. Only the network thread touches it, so it needs no locks.
    share = curl_share_init();
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
    std::thread([this] { run(); }).detach();
  }

  void post(Command command) {
    {
      std::lock_guard lock(mutex);
      inbox.push_back(std::move(command));
      hasCommands.store(true);
    }
    // With the flag stored before this read, and sleeping stored before the network thread's last
    // look at the flag (both sequentially consistent), one side always sees the other.
    if (sleeping.load()) curl_multi_wakeup(multi);
  }

  void run() {
    for (;;) {
      takeCommands();
      int stillRunning = 0;
      curl_multi_perform(multi, &stillRunning);
      collectDone();
      waitForActivity();
    }
  }

  void waitForActivity() {
    auto deadline = std::chrono::steady_clock::now() + spinWindow;
    do {
      // The thread this one just woke (a worker running a completion, a server on loopback) may
      // be waiting for this very processor.
      std::this_thread::yield();
      if (hasCommands.load(std::memory_order_acquire)) return;
      int ready = 0;
      curl_multi_poll(multi, nullptr, 0, 0, &ready);
      if (ready > 0) return;
    } while (std::chrono::steady_clock::now() < deadline);
    sleeping.store(true);
    if (!hasCommands.load()) curl_multi_poll(multi, nullptr, 0, idleWaitMs, nullptr);
    sleeping.store(false);
  }

  void takeCommands() {
    std::vector<Command> commands;
    {
      std::lock_guard lock(mutex);
      commands.swap(inbox);
      hasCommands.store(false, std::memory_order_relaxed);
    }
    for (Command& command : commands) {
      if (command.start) {
        begin(std::move(command.task));
      } else {
        abort(*command.task);
      }
    }
  }

  void begin(std::shared_ptr<DataTask> task) {
    auto transfer = std::make_unique<Transfer>();
    transfer->task = std::move(task);
    transfer->settings = &transfer->task->settings_;
    const Request& request = transfer->task->originalRequest();
    // libcurl would guess a scheme for a relative URL; the platform refuses it.
    if (!request.url().scheme()) {
      transfer->task->finish(failure(ErrorCode::UnsupportedUrl, "no scheme"));
      return;
    }
    if (std::optional<Error> error = headerLines(request.allHttpHeaderFields(), transfer->headers)) {
      transfer->task->finish(Outcome::failure(std::move(*error)));
      return;
    }
    transfer->easy = takeHandle();
    if (!transfer->easy) {
      transfer->task->finish(failure(ErrorCode::Unknown, "no transfer handle"));
      return;
    }
    configure(*transfer, request);
    if (curl_multi_add_handle(multi, transfer->easy) != CURLM_OK) {
      recycle(transfer->easy);
      transfer->task->finish(failure(ErrorCode::Unknown, "transfer not started"));
      return;
    }
    const DataTask* key = transfer->task.get();
    running.emplace(key, std::move(transfer));
  }

  // What every transfer shares, set once for the life of the handle.
  CURL* newHandle() {
    CURL* easy = curl_easy_init();
    if (!easy) return nullptr;
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_SHARE, share);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, maxRedirects);
    // Offer every encoding libcurl can undo, and undo it, as the platform does.
    curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
    return easy;
  }

  // What differs from one transfer to the next; a recycled handle is not reset, so each of these
  // is set every time.
  void configure(Transfer& transfer, const Request& request) {
    CURL* easy = transfer.easy;
    curl_easy_setopt(easy, CURLOPT_URL, request.url().absoluteString().c_str());
    curl_easy_setopt(easy, CURLOPT_PRIVATE, &transfer);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer.errorText);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, timeoutMs(request));
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, transfer.headers);
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, isHttps(request.url()) ? "https" : "http,https");
    setAuthority(easy, transfer.settings->certificateAuthority.get());
    setMethod(easy, request);
  }

  void collectDone() {
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
      if (message->msg != CURLMSG_DONE) continue;
      Transfer* transfer = nullptr;
      curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &transfer);
      CURLcode result = message->data.result;  // the message dies with the handle's removal
      end(*transfer, result == CURLE_OK ? responseOutcome(*transfer) : failureOutcome(*transfer, result));
    }
  }

  void abort(const DataTask& task) {
    auto it = running.find(&task);
    // Not there: it already ended, and its completion has its outcome.
    if (it != running.end()) end(*it->second, failure(ErrorCode::Cancelled));
  }

  void end(Transfer& transfer, Outcome outcome) {
    curl_multi_remove_handle(multi, transfer.easy);
    recycle(transfer.easy);
    auto it = running.find(transfer.task.get());
    std::unique_ptr<Transfer> owned = std::move(it->second);
    running.erase(it);
    owned->task->finish(std::move(outcome));
  }

  CURL* takeHandle() {
    if (idleHandles.empty()) return newHandle();
    CURL* easy = idleHandles.back();
    idleHandles.pop_back();
    return easy;
  }

  void recycle(CURL* easy) {
    if (idleHandles.size() >= maxIdleHandles) {
      curl_easy_cleanup(easy);
      return;
    }
    // The transfer's header list and error buffer are about to go.
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, nullptr);
    idleHandles.push_back(easy);
  }
};

Engine::Engine() : impl_(new Impl) {}

Engine& Engine::shared() {
  static Engine* engine = new Engine;
  return *engine;
}

void Engine::start(std::shared_ptr<DataTask> task) { impl_->post({true, std::move(task)}); }

void Engine::cancel(std::shared_ptr<DataTask> task) { impl_->post({false, std::move(task)}); }

}  // namespace net
