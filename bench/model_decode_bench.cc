// Decoding an ad-list response of 1,000 ads into AdList, against simdjson's own DOM parse of the same
// bytes in the same run: the typed decoding must keep at least a third of the raw parse's throughput.
// Freeing a decoded list is timed apart: it is not part of decoding (the SDK keeps a list until the
// next answer replaces it), and the raw parse frees nothing either, as its parser keeps its buffers.
#include <simdjson.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "bench/bench_main.h"
#include "platform/base/json_decoder.h"
#include "tools/mock-server/fixtures.h"
#include "velkor/model/ad_list.h"

namespace {

constexpr std::size_t kAdCount = 1000;

// The local ad server's list with its ads repeated in turn up to kAdCount, laid out as the fixture is.
const std::string& adListBody() {
  static const std::string body = [] {
    std::ifstream file(mock::Fixtures::defaultDirectory() + "/ad_list.json");
    std::stringstream fixture;
    fixture << file.rdbuf();
    nlohmann::json list = nlohmann::json::parse(fixture.str());
    const nlohmann::json ads = list["ads"];
    list["ads"] = nlohmann::json::array();
    for (std::size_t i = 0; i < kAdCount; ++i) list["ads"].push_back(ads[i % ads.size()]);
    std::string text = list.dump(2);
    // Room for simdjson's padding, as simdjson's own run has, so neither side copies the bytes.
    text.reserve(text.size() + simdjson::SIMDJSON_PADDING);
    return text;
  }();
  return body;
}

void BM_SimdjsonDomParse(benchmark::State& state) {
  const simdjson::padded_string json(adListBody());
  simdjson::dom::parser parser;
  for (auto _ : state) {
    simdjson::dom::element root;
    if (parser.parse(json).get(root) != simdjson::SUCCESS) state.SkipWithError("simdjson refused the list");
    benchmark::DoNotOptimize(root);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * adListBody().size()));
}
BENCHMARK(BM_SimdjsonDomParse);

void BM_AdListDecode(benchmark::State& state) {
  const std::string& json = adListBody();
  base::JsonDecoder decoder;
  decoder.keyDecodingStrategy = base::KeyDecodingStrategy::convertFromSnakeCase;
  for (auto _ : state) {
    auto list = decoder.decode<velkor::AdList>(json);
    if (!list || list->ads.size() != kAdCount) state.SkipWithError("the list did not decode");
    benchmark::DoNotOptimize(list);
    state.PauseTiming();
    { auto freed = std::move(list); }
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * json.size()));
}
BENCHMARK(BM_AdListDecode);

// What freeing a decoded list costs, for the record.
void BM_AdListFree(benchmark::State& state) {
  base::JsonDecoder decoder;
  decoder.keyDecodingStrategy = base::KeyDecodingStrategy::convertFromSnakeCase;
  for (auto _ : state) {
    state.PauseTiming();
    auto list = decoder.decode<velkor::AdList>(adListBody());
    if (!list) state.SkipWithError("the list did not decode");
    state.ResumeTiming();
    { auto freed = std::move(list); }
  }
}
BENCHMARK(BM_AdListFree)->Unit(benchmark::kMicrosecond);

void printVerdict(const bench::Results& results) {
  const bench::Figures* raw = results.find("BM_SimdjsonDomParse");
  const bench::Figures* decoded = results.find("BM_AdListDecode");
  if (!raw || !decoded) return;  // a filter ran only one of them
  const double rawRate = raw->counter("bytes_per_second"), decodedRate = decoded->counter("bytes_per_second");
  const double ratio = decodedRate / rawRate;
  std::printf("\n%zu ads, %zu bytes\nsimdjson DOM parse: %.1f MB/s\nAdList decode:      %.1f MB/s\n", kAdCount,
              adListBody().size(), rawRate / 1e6, decodedRate / 1e6);
  std::printf("decoding's throughput over the raw parse's: %.3f (at least 0.333 wanted): %s\n", ratio,
              bench::verdict(ratio >= 1.0 / 3));
}

}  // namespace

int main(int argc, char** argv) { return bench::run(argc, argv, printVerdict); }
