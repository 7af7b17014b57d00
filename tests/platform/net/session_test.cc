#include "platform/net/session.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <atomic>

#include "tests/platform/net/test_support.h"
#include "tests/platform/net/tls_support.h"

namespace net {
namespace {

using namespace std::chrono_literals;
using testing::fetch;
using testing::Finished;
using testing::LoopbackServer;
using testing::urlOf;

Request requestTo(const LoopbackServer& server, const std::string& path, std::string method = "GET") {
  Request request(urlOf(server.url(path)));
  request.setHttpMethod(std::move(method));
  return request;
}

TEST(Session, CarriesHeadersBothWays) {
  LoopbackServer server;
  // Echoes the body and every request field as "X-Got-<name>".
  server->Post("/echo", [](const httplib::Request& request, httplib::Response& response) {
    for (const auto& [name, value] : request.headers) response.set_header("X-Got-" + name, value);
    response.set_content(request.body, "text/plain");
  });
  server->Get("/repeated", [](const httplib::Request&, httplib::Response& response) {
    response.set_header("X-Expired-At", "1780000000");
    response.set_header("Set-Cookie", "a=1");
    response.set_header("Set-Cookie", "b=2");
    response.set_header("X-Verified-App-Ver", "");
    response.set_content("{}", "Application/JSON; charset=utf-8");
  });

  Request request = requestTo(server, "/echo", "POST");
  request.addValue("first", "X-Tracking-Id");
  request.addValue("second", "x-tracking-id");
  request.setValue("gzip", "HTTP_ACCEPT_ENCODING");
  // Big enough that libcurl would otherwise ask the server to confirm with "100 Continue" first.
  request.setValue("application/octet-stream", "Content-Type");
  request.setHttpBody(std::string(2 << 20, 'b'));
  Finished echoed = fetch(request);
  ASSERT_TRUE(echoed.response);
  EXPECT_EQ(echoed.response->value("x-got-x-tracking-id"), "first, second");
  EXPECT_EQ(echoed.response->value("X-GOT-HTTP_ACCEPT_ENCODING"), "gzip");
  EXPECT_EQ(echoed.response->value("X-Got-Content-Type"), "application/octet-stream");
  EXPECT_FALSE(echoed.response->value("X-Got-Expect"));
  EXPECT_EQ(echoed.data->size(), 2u << 20);

  Finished repeated = fetch(server.url("/repeated"));
  ASSERT_TRUE(repeated.response);
  EXPECT_EQ(repeated.response->value("x-EXPIRED-at"), "1780000000");
  EXPECT_EQ(repeated.response->value("set-cookie"), "a=1, b=2");
  // An empty field is present and empty, without the line's end.
  EXPECT_EQ(repeated.response->value("X-Verified-App-Ver"), "");
  EXPECT_FALSE(repeated.response->value("X-Absent"));
  EXPECT_EQ(repeated.response->mimeType(), "application/json");
}

TEST(Session, FollowsRedirects) {
  LoopbackServer server;
  server->Get("/old", [](const httplib::Request&, httplib::Response& response) { response.set_redirect("/new?x=1"); });
  server->Get("/new", [](const httplib::Request& request, httplib::Response& response) {
    response.set_content("arrived " + request.get_param_value("x"), "text/plain");
  });
  server->Get("/loop", [](const httplib::Request&, httplib::Response& response) { response.set_redirect("/loop"); });

  Finished finished = fetch(server.url("/old"));
  ASSERT_TRUE(finished.response);
  EXPECT_EQ(finished.response->statusCode(), 200);
  EXPECT_EQ(*finished.data, "arrived 1");
  EXPECT_EQ(finished.response->url().absoluteString(), server.url("/new?x=1"));

  Finished looping = fetch(server.url("/loop"));
  ASSERT_TRUE(looping.error);
  EXPECT_EQ(looping.error->code, ErrorCode::HttpTooManyRedirects);
}

TEST(Session, ReportsTransportFailuresAsErrors) {
  int closedPort;
  {
    LoopbackServer gone;
    closedPort = gone.port();
  }
  LoopbackServer server;
  server->Get("/truncated", [](const httplib::Request&, httplib::Response& response) {
    // Promises 100 bytes, sends 5, then drops the connection.
    response.set_content_provider(100, "text/plain", [](std::size_t, std::size_t, httplib::DataSink& sink) {
      sink.write("short", 5);
      return false;
    });
  });
  struct Case {
    std::string name;
    std::string url;
    HeaderFields headers;
    ErrorCode expected;
  };
  const Case cases[] = {
      {"refused", "http://127.0.0.1:" + std::to_string(closedPort) + "/", {}, ErrorCode::CannotConnectToHost},
      {"cut mid-body", server.url("/truncated"), {}, ErrorCode::NetworkConnectionLost},
      {"scheme not served", "ftp://127.0.0.1/file", {}, ErrorCode::UnsupportedUrl},
      {"forged header line", server.url("/truncated"), {{"X-A", "1\r\nX-Injected: 2"}}, ErrorCode::BadUrl},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Request request(urlOf(c.url));
    request.setAllHttpHeaderFields(c.headers);
    Finished finished = fetch(request);
    EXPECT_FALSE(finished.data);
    EXPECT_FALSE(finished.response);
    ASSERT_TRUE(finished.error);
    EXPECT_EQ(finished.error->code, c.expected);
    EXPECT_TRUE(finished.onSessionQueue);
    base::Error converted = *finished.error;
    EXPECT_EQ(converted.domain, errorDomain);
    EXPECT_EQ(converted.code, static_cast<long>(c.expected));
    EXPECT_FALSE(converted.description().empty());
  }
}

std::string gzipped(const std::string& text) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, text.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

TEST(Session, EndsBodiesLongerThanItsMaximumWithNoData) {
  LoopbackServer server;
  server->Get(R"(/bytes/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
    response.set_content(std::string(std::stoul(request.matches[1]), 'x'), "application/octet-stream");
  });
  // A few kilobytes on the wire that expand to the length asked for.
  server->Get(R"(/zeros/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
    response.set_header("Content-Encoding", "gzip");
    response.set_content(gzipped(std::string(std::stoul(request.matches[1]), '\0')), "application/octet-stream");
  });
  server->Get("/endless", [&server](const httplib::Request&, httplib::Response& response) {
    response.set_chunked_content_provider("application/octet-stream",
                                          [&server](std::size_t, httplib::DataSink& sink) {
                                            server.hold(5ms);
                                            return sink.write(std::string(16 << 10, 'y').data(), 16 << 10);
                                          });
  });
  struct Case {
    std::string path;
    std::optional<std::size_t> maximum;    // none: the default
    std::optional<std::size_t> delivered;  // none: refused
  };
  const Case cases[] = {
      {"/bytes/1000", 1000, 1000},
      {"/bytes/1001", 1000, std::nullopt},
      // A new session takes up to 32 MiB.
      {"/zeros/" + std::to_string(32 * 1024 * 1024), std::nullopt, 32 * 1024 * 1024},
      {"/zeros/" + std::to_string(32 * 1024 * 1024 + 1), std::nullopt, std::nullopt},
      {"/endless", 256 << 10, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    auto session = Session::make();
    if (c.maximum) session->setMaximumBodySize(*c.maximum);
    auto started = std::chrono::steady_clock::now();
    Finished finished = fetch(requestTo(server, c.path), session);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
    if (c.delivered) {
      ASSERT_TRUE(finished.data);
      EXPECT_EQ(finished.data->size(), *c.delivered);
      continue;
    }
    EXPECT_FALSE(finished.data);
    EXPECT_FALSE(finished.response);
    ASSERT_TRUE(finished.error);
    EXPECT_EQ(finished.error->rawCode(), -1103);
  }
}

TEST(Session, RedirectsNeverLeaveHttpsForHttp) {
  testing::TestCertificate certificate;
  LoopbackServer plain;
  std::atomic<int> clearHits = 0;
  plain->Get("/landed", [&](const httplib::Request&, httplib::Response& response) {
    ++clearHits;
    response.set_content("in clear", "text/plain");
  });
  plain->Post("/landed", [&](const httplib::Request&, httplib::Response& response) {
    ++clearHits;
    response.status = 200;
  });
  LoopbackServer secure(testing::tlsServer(certificate), "https");
  const std::string clear = plain.url("/landed?uid=u1&adid=a1");
  secure->Get("/away",
              [&](const httplib::Request&, httplib::Response& response) { response.set_redirect(clear); });
  secure->Post("/away", [&](const httplib::Request&, httplib::Response& response) {
    response.set_redirect(clear, 307);
  });
  secure->Get("/hop",
              [](const httplib::Request&, httplib::Response& response) { response.set_redirect("/inside"); });
  secure->Get("/inside", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("secure", "text/plain");
  });
  struct Case {
    std::string path;
    std::string method;
    std::optional<ErrorCode> error;  // none: arrives
  };
  const Case cases[] = {
      {"/hop", "GET", std::nullopt},
      {"/away", "GET", ErrorCode::AppTransportSecurityRequiresSecureConnection},
      {"/away", "POST", ErrorCode::AppTransportSecurityRequiresSecureConnection},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method + " " + c.path);
    Request request = requestTo(secure, c.path + "?uid=u1", c.method);
    request.setValue("t-1", "X-Tracking-Id");
    if (c.method == "POST") request.setHttpBody("{\"adid\": \"a1\"}");
    Finished finished = fetch(request, testing::sessionTrusting(certificate));
    if (!c.error) {
      ASSERT_TRUE(finished.data) << (finished.error ? finished.error->message : "");
      EXPECT_EQ(*finished.data, "secure");
      continue;
    }
    ASSERT_TRUE(finished.error);
    EXPECT_EQ(finished.error->rawCode(), -1022);
    EXPECT_FALSE(finished.data);
  }
  EXPECT_EQ(clearHits.load(), 0);
  // The test's certificate is trusted by the session that was given it only.
  Finished untrusted = fetch(secure.url("/inside"));
  ASSERT_TRUE(untrusted.error);
  EXPECT_EQ(untrusted.error->code, ErrorCode::ServerCertificateUntrusted);
}

// A running task and one cancelled before it started each end once, as cancelled; cancelling again
// adds nothing.
TEST(Session, CancelEndsTheTaskOnce) {
  LoopbackServer server;
  server->Get("/slow", [&server](const httplib::Request&, httplib::Response& response) {
    server.hold(10s);
    response.set_content("late", "text/plain");
  });
  auto collector = std::make_shared<testing::Collector>();
  auto completion = testing::collectInto(collector);
  auto session = Session::make();
  auto running = session->dataTask(requestTo(server, "/slow"), completion);
  running->resume();
  running->cancel();
  running->cancel();
  auto neverStarted = session->dataTask(requestTo(server, "/slow"), completion);
  neverStarted->cancel();
  neverStarted->resume();

  ASSERT_TRUE(collector->waitFor(2, 5s));
  EXPECT_FALSE(collector->waitFor(3, 100ms));
  std::lock_guard lock(collector->mutex);
  for (const Finished& finished : collector->finished) {
    ASSERT_TRUE(finished.error);
    EXPECT_EQ(finished.error->code, ErrorCode::Cancelled);
  }
}

TEST(Session, CompletesEveryOneOfManyConcurrentTasksOnce) {
  LoopbackServer server;
  server->Get(R"(/item/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
    response.set_content(request.matches[1].str(), "text/plain");
  });
  constexpr int count = 500;
  auto calls = std::make_shared<std::vector<std::atomic<int>>>(count);
  auto wrongQueue = std::make_shared<std::atomic<int>>(0);
  auto failures = std::make_shared<std::atomic<int>>(0);
  std::vector<std::thread> starters;
  for (int t = 0; t < 4; ++t) {
    starters.emplace_back([&, t] {
      for (int i = t; i < count; i += 4) {
        auto session = Session::make();
        std::weak_ptr<dispatch::Queue> queue = session->delegateQueue();
        Request request(urlOf(server.url("/item/" + std::to_string(i))));
        session->dataTask(request, [=](Data data, std::optional<Response>, std::optional<Error>) {
          auto current = queue.lock();
          if (!current || !current->isCurrent()) ++*wrongQueue;
          if (!data || *data != std::to_string(i)) ++*failures;
          ++(*calls)[i];
        })->resume();
      }
    });
  }
  for (auto& starter : starters) starter.join();
  auto allCalled = [&] {
    for (auto& c : *calls) {
      if (c.load() == 0) return false;
    }
    return true;
  };
  auto deadline = std::chrono::steady_clock::now() + 30s;
  while (!allCalled() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(5ms);
  std::this_thread::sleep_for(50ms);
  for (int i = 0; i < count; ++i) EXPECT_EQ((*calls)[i].load(), 1) << i;
  EXPECT_EQ(failures->load(), 0);
  EXPECT_EQ(wrongQueue->load(), 0);
}

}  // namespace
}  // namespace net
