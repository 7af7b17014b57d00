#include "platform/ui/page_view_controller.h"
#include "tests/platform/ui/test_views.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>


namespace ui {
namespace {

using dispatch::Seconds;
using Log = std::vector<std::string>;

class Page : public ViewController {
 public:
  Page(int index, Log& log) : index(index), log_(log) {}
  const int index;
  void viewWillAppear(bool) override { record("willAppear"); }
  void viewDidAppear(bool) override { record("didAppear"); }
  void viewWillDisappear(bool) override { record("willDisappear"); }
  void viewDidDisappear(bool) override { record("didDisappear"); }

 private:
  void record(const char* what) { log_.push_back(std::to_string(index) + " " + what); }
  Log& log_;
};

int indexOf(const std::shared_ptr<ViewController>& page) { return static_cast<Page&>(*page).index; }

class Pages : public PageViewControllerDataSource, public PageViewControllerDelegate {
 public:
  std::vector<std::shared_ptr<Page>> pages;
  Log delegateLog;

  std::shared_ptr<ViewController> viewControllerBefore(PageViewController&, ViewController& page) override {
    int index = static_cast<Page&>(page).index;
    return index > 0 ? pages[static_cast<std::size_t>(index - 1)] : nullptr;
  }
  std::shared_ptr<ViewController> viewControllerAfter(PageViewController&, ViewController& page) override {
    std::size_t next = static_cast<std::size_t>(static_cast<Page&>(page).index) + 1;
    return next < pages.size() ? pages[next] : nullptr;
  }
  void willTransitionTo(PageViewController&, const std::vector<std::shared_ptr<ViewController>>& pending) override {
    delegateLog.push_back("will " + std::to_string(indexOf(pending.front())));
  }
  void didFinishAnimating(PageViewController& controller, bool finished,
                          const std::vector<std::shared_ptr<ViewController>>& previous, bool completed) override {
    delegateLog.push_back(std::string("finish ") + (finished ? "finished" : "interrupted") + " from " +
                          std::to_string(indexOf(previous.front())) + (completed ? " completed" : " cancelled") +
                          " on " + std::to_string(indexOf(controller.viewControllers().front())));
  }
};

class PageViewControllerTest : public testing::WindowTest {
 protected:
  Log log;
  std::shared_ptr<PageViewController> pager = std::make_shared<PageViewController>();
  std::shared_ptr<Pages> pages = std::make_shared<Pages>();

  void SetUp() override {
    for (int i = 0; i < 4; ++i) pages->pages.push_back(std::make_shared<Page>(i, log));
    pager->setDataSource(pages);
    pager->setDelegate(pages);
    pager->setViewControllers({pages->pages[0]}, PageViewControllerNavigationDirection::forward, false);
    window->setRootViewController(pager);
    window->makeKeyAndVisible();
    window->layoutIfNeeded();
    log.clear();
  }

  int current() const { return indexOf(pager->viewControllers().front()); }
  void swipeForward() { touch::swipe(*window, {300, 240}, {200, 240}, Seconds(0.05)); }
  void swipeBack() { touch::swipe(*window, {20, 240}, {120, 240}, Seconds(0.05)); }
};

TEST_F(PageViewControllerTest, SwipesTurnPagesAndTellTheDelegateOnce) {
  swipeForward();
  clock->advance(Seconds(1));
  EXPECT_EQ(current(), 1);
  EXPECT_EQ(pages->delegateLog, (Log{"will 1", "finish finished from 0 completed on 1"}));
  EXPECT_EQ(log, (Log{"1 willAppear", "0 willDisappear", "0 didDisappear", "1 didAppear"}));
  EXPECT_EQ(pager->children().size(), 1u);  // the other pages left with the swipe
  EXPECT_EQ(pages->pages[1]->view()->frame(), (Rect{320, 0, 320, 480}));
  EXPECT_EQ(pager->scrollView()->contentOffset().x, 320);

  pages->delegateLog.clear();
  swipeBack();
  clock->advance(Seconds(1));
  EXPECT_EQ(current(), 0);
  EXPECT_EQ(pages->delegateLog, (Log{"will 0", "finish finished from 1 completed on 0"}));
}

TEST_F(PageViewControllerTest, SwipeThatSpringsBackReportsNotCompleted) {
  touch::pan(*window, {300, 240}, {200, 240});  // a third of the way, then let go at rest
  clock->advance(Seconds(1));
  EXPECT_EQ(current(), 0);
  EXPECT_EQ(pages->delegateLog, (Log{"will 1", "finish finished from 0 cancelled on 0"}));
  EXPECT_EQ(log, (Log{"1 willAppear", "0 willDisappear", "1 willDisappear", "0 willAppear", "0 didAppear",
                      "1 didDisappear"}));
  // The page that was headed for came and went; the page on screen stayed.
  EXPECT_EQ(log.front(), "1 willAppear");
  EXPECT_EQ(std::count(log.begin(), log.end(), "1 didDisappear"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "0 didAppear"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "1 didAppear"), 0);
  EXPECT_EQ(pager->scrollView()->contentOffset().x, 320);
}

TEST_F(PageViewControllerTest, SetViewControllersAnimatedOrNot) {
  std::vector<bool> finished;
  pager->setViewControllers({pages->pages[2]}, PageViewControllerNavigationDirection::forward, true,
                            [&](bool f) { finished.push_back(f); });
  EXPECT_EQ(current(), 0);
  swipeForward();  // the pages take no touches while it slides
  clock->advance(Seconds(0.2));
  EXPECT_TRUE(finished.empty());
  clock->advance(Seconds(0.2));
  EXPECT_EQ(finished, (std::vector<bool>{true}));
  EXPECT_EQ(current(), 2);
  EXPECT_TRUE(pages->delegateLog.empty());
  EXPECT_EQ(log, (Log{"0 willDisappear", "2 willAppear", "0 didDisappear", "2 didAppear"}));

  pager->setViewControllers({pages->pages[1]}, PageViewControllerNavigationDirection::reverse, false,
                            [&](bool f) { finished.push_back(f); });
  EXPECT_EQ(finished, (std::vector<bool>{true, true}));
  EXPECT_EQ(current(), 1);
  EXPECT_EQ(pages->pages[1]->view()->frame().x(), 320);

  // A second change while one slides: the first ends early, not finished.
  pager->setViewControllers({pages->pages[2]}, PageViewControllerNavigationDirection::forward, true,
                            [&](bool f) { finished.push_back(f); });
  clock->advance(Seconds(0.1));
  pager->setViewControllers({pages->pages[3]}, PageViewControllerNavigationDirection::forward, true,
                            [&](bool f) { finished.push_back(f); });
  clock->advance(Seconds(1));
  EXPECT_EQ(finished, (std::vector<bool>{true, true, false, true}));
  EXPECT_EQ(current(), 3);
  EXPECT_EQ(pager->children().size(), 1u);

  pager->setViewControllers({}, PageViewControllerNavigationDirection::forward, false,
                            [&](bool f) { finished.push_back(f); });
  EXPECT_EQ(finished.back(), false);
  EXPECT_EQ(current(), 3);
}

TEST_F(PageViewControllerTest, ChangeDuringASwipeEndsTheSwipeFirst) {
  auto finger = touch::Finger::down(*window, {300, 240});
  finger.moveTo({200, 240});
  ASSERT_EQ(pages->delegateLog, (Log{"will 1"}));
  pager->setViewControllers({pages->pages[3]}, PageViewControllerNavigationDirection::forward, false);
  EXPECT_EQ(pages->delegateLog, (Log{"will 1", "finish interrupted from 0 cancelled on 0"}));
  EXPECT_EQ(current(), 3);
  finger.up();
  clock->advance(Seconds(1));
  EXPECT_EQ(current(), 3);
  EXPECT_EQ(pages->delegateLog.size(), 2u);
}

}  // namespace
}  // namespace ui
