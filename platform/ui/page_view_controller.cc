#include "platform/ui/page_view_controller.h"

#include <cmath>
#include <utility>

#include "platform/base/log.h"
#include "platform/ui/controller_view.h"

namespace ui {
namespace {

constexpr double kRestTolerance = 1e-6;

}  // namespace

// Hears the scroll view for the page view controller, which may go first.
class PageViewController::ScrollHandler : public ScrollViewDelegate {
 public:
  explicit ScrollHandler(PageViewController* owner) : owner_(owner) {}
  void scrollViewWillBeginDragging(ScrollView&) override { owner_->dragBegan(); }
  void scrollViewDidScroll(ScrollView&) override { owner_->scrolled(); }
  void scrollViewDidEndDragging(ScrollView&, bool willDecelerate) override {
    if (!willDecelerate) owner_->cameToRest();
  }
  void scrollViewDidEndDecelerating(ScrollView&) override { owner_->cameToRest(); }
  void scrollViewDidEndScrollingAnimation(ScrollView&) override { owner_->animationEnded(); }

 private:
  PageViewController* owner_;
};

PageViewController::PageViewController(PageViewControllerTransitionStyle style,
                                       PageViewControllerNavigationOrientation orientation)
    : style_(style), orientation_(orientation), handler_(std::make_shared<ScrollHandler>(this)) {}

PageViewController::~PageViewController() {
  if (scrollView_) scrollView_->setDelegate({});
}

void PageViewController::loadView() {
  // A root that reports its layout passes, so the pages follow the size constraints give it.
  auto root = std::make_shared<ControllerView<>>();
  scrollView_ = std::make_shared<ScrollView>();
  scrollView_->setPagingEnabled(true);
  scrollView_->setAlwaysBounceHorizontal(true);
  scrollView_->setShowsHorizontalScrollIndicator(false);
  scrollView_->setDelegate(handler_);
  root->addSubview(scrollView_);
  setView(root);
}

const std::shared_ptr<ScrollView>& PageViewController::scrollView() {
  loadViewIfNeeded();
  return scrollView_;
}

// --- geometry ------------------------------------------------------------------------------------

double PageViewController::pageWidth() const { return scrollView_ ? scrollView_->bounds().width() : 0; }

// Three slots side by side: the page before, the one on screen, the page after.
Rect PageViewController::slotFrame(int slot) const {
  Size size = scrollView_->bounds().size;
  return {slot * size.width, 0, size.width, size.height};
}

// Pages can be reached only on the sides that have one (the content still bounces on the others).
void PageViewController::allowScrolling(bool before, bool after) {
  double width = pageWidth();
  scrollView_->setContentInset({0, before ? 0 : -width, 0, after ? 0 : -width});
}

void PageViewController::layoutManagedViews() {
  if (!scrollView_) return;
  scrollView_->setFrame(view()->bounds());
  Size size = scrollView_->bounds().size;
  scrollView_->setContentSize({3 * size.width, size.height});
  const bool idle = !pending_ && !incoming_ && !scrollView_->isDragging() && !scrollView_->isDecelerating();
  if (idle) {
    recentre();
    return;
  }
  if (!viewControllers_.empty()) viewControllers_.front()->view()->setFrame(slotFrame(1));
  if (before_) before_->view()->setFrame(slotFrame(0));
  if (after_) after_->view()->setFrame(slotFrame(2));
}

// --- pages ---------------------------------------------------------------------------------------

void PageViewController::placePage(const std::shared_ptr<ViewController>& page, int slot) {
  const bool joining = page->parent() != this;
  if (joining) addChild(page);
  const std::shared_ptr<View>& pageView = page->view();
  pageView->setFrame(slotFrame(slot));
  if (pageView->superview() != scrollView_.get()) scrollView_->addSubview(pageView);
  if (joining) page->didMove(this);
}

void PageViewController::removePage(const std::shared_ptr<ViewController>& page) {
  if (!page || page->parent() != this) return;
  page->willMove(nullptr);
  if (page->isViewLoaded()) page->view()->removeFromSuperview();
  page->removeFromParent();
}

void PageViewController::clearNeighbours() {
  const ViewController* current = viewControllers_.empty() ? nullptr : viewControllers_.front().get();
  for (auto* side : {&before_, &after_}) {
    if (*side && side->get() != current) removePage(*side);
    side->reset();
  }
}

// Back to rest: only the page on screen, in the middle slot, the offset on it.
void PageViewController::recentre() {
  moving_ = true;
  clearNeighbours();
  if (!viewControllers_.empty()) placePage(viewControllers_.front(), 1);
  allowScrolling(false, false);
  scrollView_->setContentOffset({pageWidth(), 0});
  moving_ = false;
}

bool PageViewController::onScreen() const { return isVisible(); }

// --- swipes --------------------------------------------------------------------------------------

// The drag is starting: fetch the neighbours of the page on screen (unless a swipe is still
// settling, whose pages stay).
void PageViewController::dragBegan() {
  if (pending_ || incoming_ || viewControllers_.empty()) return;
  clearNeighbours();
  auto source = dataSource();
  std::shared_ptr<ViewController> current = viewControllers_.front();
  if (source) {
    before_ = source->viewControllerBefore(*this, *current);
    after_ = source->viewControllerAfter(*this, *current);
  }
  if (before_ == current) before_.reset();
  if (after_ == current || after_ == before_) after_.reset();
  moving_ = true;
  if (before_) placePage(before_, 0);
  if (after_) placePage(after_, 2);
  allowScrolling(before_ != nullptr, after_ != nullptr);
  moving_ = false;
}

void PageViewController::scrolled() {
  if (moving_ || incoming_ || viewControllers_.empty()) return;
  double shift = scrollView_->contentOffset().x - pageWidth();
  std::shared_ptr<ViewController> towards = shift > kRestTolerance && after_     ? after_
                                            : shift < -kRestTolerance && before_ ? before_
                                                                                 : nullptr;
  if (!towards || towards == pending_) return;
  if (pending_ && onScreen()) {
    // The swipe turned to the other side: the first page it headed for goes back.
    pending_->beginAppearanceTransition(false, true);
    pending_->endAppearanceTransition();
    viewControllers_.front()->beginAppearanceTransition(true, true);
    viewControllers_.front()->endAppearanceTransition();
  }
  pending_ = towards;
  if (onScreen()) {
    pending_->beginAppearanceTransition(true, true);
    viewControllers_.front()->beginAppearanceTransition(false, true);
  }
  std::shared_ptr<ViewController> keep = shared_from_this();
  if (auto d = delegate()) d->willTransitionTo(*this, {pending_});
}

void PageViewController::cameToRest() {
  if (incoming_) return;
  if (pending_) {
    finishSwipe(true);
  } else if (!scrollView_->isDragging()) {
    recentre();
  }
}

// The swipe is over: it turned the page when it rests on the page it headed for.
void PageViewController::finishSwipe(bool finished) {
  std::shared_ptr<ViewController> keep = shared_from_this();
  std::shared_ptr<ViewController> previous = viewControllers_.front();
  std::shared_ptr<ViewController> turnedTo = std::exchange(pending_, nullptr);
  const double restX = turnedTo == after_ ? 2 * pageWidth() : 0;
  const bool completed = finished && std::abs(scrollView_->contentOffset().x - restX) < kRestTolerance;
  if (completed) viewControllers_ = {turnedTo};
  if (onScreen()) {
    if (!completed) {
      turnedTo->beginAppearanceTransition(false, true);
      previous->beginAppearanceTransition(true, true);
    }
    previous->endAppearanceTransition();
    turnedTo->endAppearanceTransition();
  }
  if (completed) removePage(previous);
  recentre();
  if (auto d = delegate()) d->didFinishAnimating(*this, finished, {previous}, completed);
}

// --- programmatic changes ------------------------------------------------------------------------

void PageViewController::setViewControllers(std::vector<std::shared_ptr<ViewController>> controllers,
                                            Direction direction, bool animated, SetCompletion completion) {
  if (controllers.empty() || !controllers.front()) {
    base::logError("PageViewController: setViewControllers needs a controller to show");
    if (completion) completion(false);
    return;
  }
  std::shared_ptr<ViewController> keep = shared_from_this();
  loadViewIfNeeded();
  if (incoming_) animationEnded();  // a change under way jumps to its end
  if (pending_) finishSwipe(false);
  clearNeighbours();
  std::shared_ptr<ViewController> page = controllers.front();
  std::shared_ptr<ViewController> previous = viewControllers_.empty() ? nullptr : viewControllers_.front();
  if (page == previous) {
    if (completion) completion(true);
    return;
  }
  const bool visible = onScreen();
  const bool slide = animated && previous && pageWidth() > 0;
  const int slot = !slide ? 1 : direction == Direction::forward ? 2 : 0;
  moving_ = true;
  placePage(page, slot);
  moving_ = false;
  if (visible) {
    if (previous) previous->beginAppearanceTransition(false, slide);
    page->beginAppearanceTransition(true, slide);
  }
  if (slide) {
    incoming_ = page;
    outgoing_ = previous;
    completion_ = std::move(completion);
    scrollView_->setUserInteractionEnabled(false);
    allowScrolling(true, true);
    scrollView_->setContentOffsetAnimationDuration(kTransitionDuration);
    scrollView_->setContentOffset({slot * pageWidth(), 0}, true);
    return;
  }
  viewControllers_ = {page};
  removePage(previous);
  if (visible) {
    page->layoutViewNow();
    if (previous) previous->endAppearanceTransition();
    page->endAppearanceTransition();
  }
  recentre();
  if (completion) completion(true);
}

// The slide of a programmatic change ended; called early by a new change, it did not finish.
void PageViewController::animationEnded() {
  if (!incoming_) return;
  const bool finished = std::abs(scrollView_->contentOffset().x - incoming_->view()->frame().x()) < kRestTolerance;
  std::shared_ptr<ViewController> keep = shared_from_this();
  std::shared_ptr<ViewController> page = std::exchange(incoming_, nullptr);
  std::shared_ptr<ViewController> previous = std::exchange(outgoing_, nullptr);
  SetCompletion completion = std::move(completion_);
  completion_ = nullptr;
  viewControllers_ = {page};
  if (onScreen()) {
    if (previous) previous->endAppearanceTransition();
    page->endAppearanceTransition();
  }
  removePage(previous);
  scrollView_->setUserInteractionEnabled(true);
  recentre();
  if (completion) completion(finished);
}

}  // namespace ui
