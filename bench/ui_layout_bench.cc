// Laying out the compact list row cell: fresh natural sizes each time (as a reused row bound to a
// new ad), against laying out the same tree again with nothing changed, which must cost at least
// twenty times less. Each benchmark iteration lays the cell out 1,000 times; "per_layout" is the
// time of one layout.
#include <cstdio>
#include <vector>

#include "bench/bench_main.h"
#include "bench/compact_row_cell.h"

namespace {

using bench::CompactRowCell;
using ui::Size;

constexpr int kLayouts = 1000;

// Title, subtitle and reward sizes of 1,000 different rows: some titles fit, some are squeezed.
struct Texts {
  Size title, subtitle, reward, info;
};

std::vector<Texts> rows() {
  std::vector<Texts> texts;
  for (int i = 0; i < kLayouts; ++i) {
    texts.push_back({{60.0 + (i * 37) % 240, 16}, {40.0 + (i * 13) % 120, 19}, {30.0 + i % 40, 17}, {40.0 + i % 90, 17}});
  }
  return texts;
}

void setCounters(benchmark::State& state) {
  state.counters["per_layout"] = benchmark::Counter(static_cast<double>(state.iterations()) * kLayouts,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_FreshLayout(benchmark::State& state) {
  CompactRowCell cell(375, 88);
  cell.contentView->layoutIfNeeded();
  const std::vector<Texts> texts = rows();
  for (auto _ : state) {
    for (const Texts& row : texts) {
      cell.titleLabel->setNatural(row.title);
      cell.subtitleLabel->setNatural(row.subtitle);
      cell.rewardButtonTitleLabel->setNatural(row.reward);
      cell.infoTitleLabel->setNatural(row.info);
      cell.contentView->layoutIfNeeded();
      benchmark::DoNotOptimize(cell.titleLabel->frame());
    }
  }
  setCounters(state);
}
BENCHMARK(BM_FreshLayout)->Unit(benchmark::kMillisecond);

void BM_UnchangedRelayout(benchmark::State& state) {
  CompactRowCell cell(375, 88);
  cell.contentView->layoutIfNeeded();
  for (auto _ : state) {
    for (int i = 0; i < kLayouts; ++i) {
      cell.contentView->layoutIfNeeded();
      benchmark::DoNotOptimize(cell.titleLabel->frame());
    }
  }
  setCounters(state);
}
BENCHMARK(BM_UnchangedRelayout)->Unit(benchmark::kMillisecond);

// Marked for layout but unchanged: frames are applied again from the solution without solving.
void BM_UnchangedRelayoutMarked(benchmark::State& state) {
  CompactRowCell cell(375, 88);
  cell.contentView->layoutIfNeeded();
  for (auto _ : state) {
    for (int i = 0; i < kLayouts; ++i) {
      cell.contentView->setNeedsLayout();
      cell.contentView->layoutIfNeeded();
      benchmark::DoNotOptimize(cell.titleLabel->frame());
    }
  }
  setCounters(state);
}
BENCHMARK(BM_UnchangedRelayoutMarked)->Unit(benchmark::kMillisecond);

// A cell built and laid out from nothing each time (the first layout of a new row).
void BM_NewCellLayout(benchmark::State& state) {
  for (auto _ : state) {
    CompactRowCell cell(375, 88);
    cell.contentView->layoutIfNeeded();
    benchmark::DoNotOptimize(cell.titleLabel->frame());
  }
}
BENCHMARK(BM_NewCellLayout)->Unit(benchmark::kMicrosecond);

void printVerdict(const bench::Results& results) {
  const bench::Figures* fresh = results.find("BM_FreshLayout");
  const bench::Figures* unchanged = results.find("BM_UnchangedRelayout");
  if (!fresh || !unchanged) return;
  const double ratio = fresh->counter("per_layout") / unchanged->counter("per_layout");
  std::printf("\na fresh layout's time over an unchanged relayout's: %.1f (at least 20 wanted): %s\n", ratio,
              bench::verdict(ratio >= 20));
}

}  // namespace

int main(int argc, char** argv) { return bench::run(argc, argv, printVerdict); }
