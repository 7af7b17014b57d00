// Opening the offerwall: presentOfferwall on a host screen to the first list page laid out with its
// rows (the pager's combined load of ads, banners and popups from the local ad server, the tab bar,
// the page view, the page's read of the cache and its table), against a cold repository load of the
// same answer, alternating in rounds in one run so that machine noise falls on both alike. The
// presentation is not animated; each round dismisses what it opened.
#include <chrono>
#include <cstdio>
#include <optional>

#include "bench/bench_main.h"
#include "bench/local_server_table.h"
#include "platform/base/defaults.h"
#include "platform/dispatch/main_loop.h"
#include "platform/ui/screen.h"
#include "platform/ui/window.h"
#include "tools/mock-server/mock_server.h"
#include "velkor/components/ofw_navigation_controller.h"
#include "velkor/core/velkor_config.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/network/ad_repository.h"
#include "velkor/network/constants.h"
#include "velkor/network/logic_list_api_client.h"
#include "velkor/network/velkor_api_client.h"
#include "velkor/offerwall/list/default_ofw_list_view_controller.h"
#include "velkor/offerwall/pager/default_ofw_list_pager_view_controller.h"

namespace {

using Clock = std::chrono::steady_clock;


// The local server with the fixture's answers, the SDK pointed at it, a store in memory, a phone
// window showing the host's screen; the prepare view stays away so the list is what shows first.
class Setup {
 public:
  Setup() {
    base::Defaults::setStandard(base::Defaults::inMemory());
    server_.start();
    velkor::Constants::installServerTables(velkor::Constants::everyStage(bench::tableFor(server_.baseUrl())));
    velkor::VelkorApiClient::resetBaseUrl();
    velkor::LogicListApiClient::resetBaseUrl();
    velkor::VelkorInternal::shared().config()->setPrepareViewHidden(true);
    ui::Screen screen = ui::Screen::main();
    screen.bounds = {0, 0, 375, 812};
    ui::Screen::setMain(screen);
    window_->setSize({375, 812});
    window_->setRootViewController(host_);
    window_->makeKeyAndVisible();
  }
  const std::shared_ptr<ui::ViewController>& host() const { return host_; }
  ui::Window& window() { return *window_; }

 private:
  mock::MockServer server_{"LOGIC_LIST"};
  std::shared_ptr<ui::ViewController> host_ = std::make_shared<ui::ViewController>();
  std::shared_ptr<ui::Window> window_ = std::make_shared<ui::Window>();
};

Setup& setup() {
  static Setup* instance = new Setup();
  return *instance;
}

// The list page on screen once it holds its rows.
bool firstListShown(Setup& env) {
  auto navigation = std::dynamic_pointer_cast<ui::NavigationController>(env.host()->presentedViewController());
  if (!navigation || navigation->viewControllers().empty()) return false;
  auto* pager = dynamic_cast<velkor::DefaultOfwListPagerViewController*>(navigation->viewControllers().front().get());
  if (!pager) return false;
  const auto& pages = pager->pageViewController()->viewControllers();
  auto* page = pages.empty() ? nullptr : dynamic_cast<velkor::DefaultOfwListViewController*>(pages.front().get());
  if (!page || !page->adList() || page->adList()->empty()) return false;
  env.window().layoutIfNeeded();
  return page->tableView()->numberOfRows(0) > 0 && !page->tableView()->visibleCells().empty();
}

// One opening to the first list frame, timed; the dismissal after it is not. Nothing when it did
// not get there.
std::optional<Clock::duration> openOnce(Setup& env) {
  const auto start = Clock::now();
  velkor::VelkorInternal::shared().presentOfferwall(env.host(), std::nullopt, false, std::nullopt, std::nullopt, false,
                                                    {});
  const bool shown = dispatch::main_loop::runUntil([&] { return firstListShown(env); }, std::chrono::seconds(10));
  const auto took = Clock::now() - start;
  env.host()->dismiss(false);
  dispatch::main_loop::drain();
  return shown ? std::optional(took) : std::nullopt;
}

// One cold load of the same combined answer through the core's repository.
bool coldLoad() {
  auto& repository = *velkor::VelkorInternal::shared().repository();
  repository.localDataSource()->clear();
  bool done = false, ok = false;
  repository.getAdsWithBannersAndPopups(
      "ad_list",
      [&](velkor::AdArray ads, std::vector<velkor::Tab>, std::vector<velkor::Banner>, std::vector<velkor::Popup>) {
        ok = ads.size() > 0;
        done = true;
      },
      [&](velkor::Error) { done = true; });
  dispatch::main_loop::runUntil([&] { return done; }, std::chrono::seconds(10));
  return ok;
}

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void BM_OpenToFirstListFrameAgainstColdLoad(benchmark::State& state) {
  const int opensEach = bench::count(40, 1), rounds = bench::count(8, 1), warmUp = bench::count(3, 1);
  dispatch::main_loop::TestScope loop;
  auto& env = setup();
  for (int i = 0; i < warmUp; ++i) {
    if (!openOnce(env) || !coldLoad()) state.SkipWithError("the offerwall did not open");
  }
  for (auto _ : state) {
    Clock::duration openTime{}, loadTime{};
    bool failed = false;
    for (int round = 0; round < rounds; ++round) {
      auto start = Clock::now();
      for (int i = 0; i < opensEach / rounds; ++i) failed |= !coldLoad();
      loadTime += Clock::now() - start;
      for (int i = 0; i < opensEach / rounds; ++i) {
        auto took = openOnce(env);
        failed |= !took;
        if (took) openTime += *took;
      }
    }
    if (failed) state.SkipWithError("an opening did not reach its list");
    const double openMs = ms(openTime) / opensEach, loadMs = ms(loadTime) / opensEach;
    state.counters["open_ms"] = openMs;
    state.counters["cold_load_ms"] = loadMs;
  }
}
BENCHMARK(BM_OpenToFirstListFrameAgainstColdLoad)->Iterations(1)->Unit(benchmark::kMillisecond);

void printVerdict(const bench::Results& results) {
  const bench::Figures* run = results.find("BM_OpenToFirstListFrameAgainstColdLoad");
  if (!run) return;
  const double open = run->counter("open_ms"), load = run->counter("cold_load_ms");
  std::printf("\npresentOfferwall to the first list frame %.3f ms, cold repository load %.3f ms\n", open, load);
  std::printf("opening's time over the cold load's: %.2f (at most 2.5, and the opening under 100 ms, wanted): %s\n",
              open / load, bench::verdict(open / load <= 2.5 && open < 100));
}

}  // namespace

int main(int argc, char** argv) { return bench::run(argc, argv, printVerdict); }
