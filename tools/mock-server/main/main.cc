// velkor-mock-server --port N --fixtures DIR: serves every route of the SDK's servers on 127.0.0.1 until
// SIGINT or SIGTERM. Prints its base URL on the first line of standard output.
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include <pthread.h>

#include "tools/mock-server/mock_server.h"

namespace {

int usage() {
  std::cerr << "usage: velkor-mock-server [--port N] [--fixtures DIR]\n"
               "  --port N        port on 127.0.0.1 (default 0: any free port)\n"
               "  --fixtures DIR  fixture folder (default " << mock::Fixtures::defaultDirectory() << ")\n";
  return 2;
}

bool parsePort(const std::string& text, int& port) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < 0 || value > 65535) return false;
  port = static_cast<int>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  mock::MockServerOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      usage();
      return 0;
    }
    if (i + 1 >= argc) return usage();
    if (arg == "--port") {
      if (!parsePort(argv[++i], options.port)) return usage();
    } else if (arg == "--fixtures") {
      options.fixturesDirectory = argv[++i];
    } else {
      return usage();
    }
  }

  // The signals are blocked before any server thread exists, so every thread inherits the mask and
  // only the sigwait below receives them.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  mock::MockServer server("all", options);
  if (!server.start()) {
    std::cerr << "velkor-mock-server: " << server.error() << "\n";
    return 1;
  }
  std::cout << server.baseUrl() << std::endl;

  int received = 0;
  sigwait(&signals, &received);
  server.stop();
  return 0;
}
