// The local ad server's fixtures, as the server would answer them: placeholders expanded. They are
// the very fixtures the servers of the process serve, read once.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "tools/mock-server/fixtures.h"
#include "tools/mock-server/placeholders.h"

namespace velkor::testing {

inline const mock::Fixtures& fixtures() {
  static const std::shared_ptr<const mock::Fixtures> loaded = [] {
    std::string error;
    auto result = mock::Fixtures::loadOnce(mock::Fixtures::defaultDirectory(), error);
    if (!result) {
      ADD_FAILURE() << "fixtures: " << error;
      std::abort();
    }
    return result;
  }();
  return *loaded;
}

// The body as text on the wire, as an answer to a request for `adId` when one is given.
inline std::string served(const nlohmann::json& body, std::optional<long long> adId = std::nullopt) {
  const mock::ServeContext context{"http://127.0.0.1:8080", std::chrono::system_clock::now(), adId};
  return mock::expandPlaceholders(body.dump(), context);
}

// Every fixed answer of an action route's fixture file ("participate.json", "optout.json") by ad id,
// the default answer left out.
template <class Answer>
std::map<long long, mock::FixtureAnswer> actionAnswers(const std::string& file, Answer answerFor) {
  std::ifstream in(mock::Fixtures::defaultDirectory() + "/" + file);
  const nlohmann::json all = nlohmann::json::parse(in, nullptr, false);
  std::map<long long, mock::FixtureAnswer> answers;
  if (!all.is_object()) return answers;
  for (const auto& [key, value] : all.items()) {
    if (key != "default") answers.emplace(std::stoll(key), answerFor(std::stoll(key)));
  }
  return answers;
}

}  // namespace velkor::testing
