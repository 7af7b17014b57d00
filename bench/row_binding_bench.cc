// Binding list rows, laid out, for each of the three row styles: a new row (made, bound, laid out)
// and a reused row bound to another ad and laid out again. Each result also reads as its ratio to
// 1.04 ms, an eighth of a frame at 120 Hz ("of_1.04ms"): a new row should take at most one such
// share, a reused one a quarter of it.
#include <cstdio>
#include <memory>
#include <string>

#include "bench/bench_main.h"
#include "platform/base/defaults.h"
#include "platform/dispatch/main_loop.h"
#include "velkor/model/ad.h"
#include "velkor/model/reward_type.h"
#include "velkor/offerwall/rows/ofw_cta_feed_item_cell.h"
#include "velkor/offerwall/rows/ofw_feed_item_cell.h"
#include "velkor/offerwall/rows/ofw_list_item_cell.h"

namespace {

using velkor::Ad;

constexpr double kFrameShare = 1.04e-3;

// Two ads unlike enough to move every label: one enabled, one disabled with a running countdown.
Ad ad(int which) {
  Ad ad;
  ad.id = which;
  ad.title = which ? "오늘만 두 배 적립되는 앱 설치 이벤트" : "앱 설치하기";
  ad.subtitle = which ? "설치 후 실행하면 {REWARD_STR} 적립" : "설치만 하면 적립";
  ad.reward = which ? 12000 : 100;
  ad.rewardTypeId = 1;
  ad.rewardText = which ? "포인트 12,000P" : "100P";
  ad.callToAction = which ? "다음 참여까지\n{NEXT_PARTICIPATE_TIME}" : "참여하기";
  ad.callToActionEnabled = which == 0;
  ad.newBadge = which;
  if (which) ad.setNextParticipateAt(4'000'000'000.0);
  return ad;
}

void setCounters(benchmark::State& state) {
  state.counters["of_1.04ms"] = benchmark::Counter(static_cast<double>(state.iterations()) * kFrameShare,
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

struct Setup {
  Setup() {
    base::Defaults::setStandard(base::Defaults::inMemory());
    velkor::RewardType::setItems({{1, "포인트", 0, "P"}});
  }
  dispatch::main_loop::TestScope scope;
};

template <class Cell>
std::shared_ptr<Cell> boundRow(const Ad& bound, double height) {
  auto cell = std::make_shared<Cell>();
  cell->setFrame({0, 0, 375, height});
  cell->updateCell(bound);
  cell->layoutIfNeeded();
  return cell;
}

template <class Cell>
void BM_NewRow(benchmark::State& state, double height) {
  Setup setup;
  const Ad first = ad(0);
  for (auto _ : state) benchmark::DoNotOptimize(boundRow<Cell>(first, height)->frame());
  setCounters(state);
}

template <class Cell>
void BM_ReusedRow(benchmark::State& state, double height) {
  Setup setup;
  const Ad ads[] = {ad(0), ad(1)};
  auto cell = boundRow<Cell>(ads[1], height);
  int next = 0;
  for (auto _ : state) {
    cell->prepareForReuse();
    cell->updateCell(ads[next]);
    cell->layoutIfNeeded();
    next ^= 1;
    benchmark::DoNotOptimize(cell->frame());
  }
  setCounters(state);
}

void BM_NewCompactRow(benchmark::State& state) { BM_NewRow<velkor::OfwListItemCell>(state, 80); }
void BM_ReusedCompactRow(benchmark::State& state) { BM_ReusedRow<velkor::OfwListItemCell>(state, 80); }
void BM_NewFeedRow(benchmark::State& state) { BM_NewRow<velkor::OfwFeedItemCell>(state, 255.5); }
void BM_ReusedFeedRow(benchmark::State& state) { BM_ReusedRow<velkor::OfwFeedItemCell>(state, 255.5); }
void BM_NewCallToActionRow(benchmark::State& state) { BM_NewRow<velkor::OfwCtaFeedItemCell>(state, 255.5); }
void BM_ReusedCallToActionRow(benchmark::State& state) { BM_ReusedRow<velkor::OfwCtaFeedItemCell>(state, 255.5); }
BENCHMARK(BM_NewCompactRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReusedCompactRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NewFeedRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReusedFeedRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NewCallToActionRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReusedCallToActionRow)->Unit(benchmark::kMicrosecond);

void printVerdict(const bench::Results& results) {
  bool met = true, ran = false;
  for (const char* style : {"CompactRow", "FeedRow", "CallToActionRow"}) {
    const bench::Figures* made = results.find(std::string("BM_New") + style);
    const bench::Figures* reused = results.find(std::string("BM_Reused") + style);
    if (made) met &= made->counter("of_1.04ms") <= 1;
    if (reused) met &= reused->counter("of_1.04ms") <= 0.25;
    ran |= made || reused;
  }
  if (ran) {
    std::printf("\nevery new row within 1.04 ms, every reused one within a quarter of it: %s\n", bench::verdict(met));
  }
}

}  // namespace

int main(int argc, char** argv) { return bench::run(argc, argv, printVerdict); }
