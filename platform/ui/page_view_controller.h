// A page view controller: shows one controller's view at a time in a horizontal paging scroll
// view; a swipe turns to the page its data source gives before or after it, and
// setViewControllers() turns to a given page, animated or not. The pages are its children.
//
// A swipe: when the drag begins, the data source is asked for the pages before and after the one
// on screen. Once the content moves towards a page that exists, the delegate hears
// willTransitionTo(that page) and both pages begin their appearance change. When the scroll view
// comes to rest the delegate hears didFinishAnimating(finished, [the page that was on screen],
// completed): completed is false when the swipe sprang back, and the pages' appearance turns back.
// A swipe towards a side without a page only rubber-bands and tells the delegate nothing.
// Programmatic changes tell the delegate nothing; their completion hears whether the animation
// ran to its end. While one runs, the pages take no touches.
//
// Only the scroll transition style with horizontal navigation is built: the other style and
// orientation are recorded and behave as these.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/scroll_view.h"
#include "platform/ui/view_controller.h"

namespace ui {

class PageViewController;

// Raw values as the platform numbers them.
enum class PageViewControllerTransitionStyle { pageCurl = 0, scroll = 1 };
enum class PageViewControllerNavigationOrientation { horizontal = 0, vertical = 1 };
enum class PageViewControllerNavigationDirection { forward = 0, reverse = 1 };

class PageViewControllerDataSource {
 public:
  virtual ~PageViewControllerDataSource() = default;
  // The page before (after) one; null when there is none.
  virtual std::shared_ptr<ViewController> viewControllerBefore(PageViewController& pageViewController,
                                                               ViewController& viewController) = 0;
  virtual std::shared_ptr<ViewController> viewControllerAfter(PageViewController& pageViewController,
                                                              ViewController& viewController) = 0;
};

class PageViewControllerDelegate {
 public:
  virtual ~PageViewControllerDelegate() = default;
  virtual void willTransitionTo(PageViewController& pageViewController,
                                const std::vector<std::shared_ptr<ViewController>>& pendingViewControllers) {
    (void)pageViewController;
    (void)pendingViewControllers;
  }
  virtual void didFinishAnimating(PageViewController& pageViewController, bool finished,
                                  const std::vector<std::shared_ptr<ViewController>>& previousViewControllers,
                                  bool transitionCompleted) {
    (void)pageViewController;
    (void)finished;
    (void)previousViewControllers;
    (void)transitionCompleted;
  }
};

class PageViewController : public ViewController {
 public:
  using Direction = PageViewControllerNavigationDirection;
  using SetCompletion = std::function<void(bool finished)>;
  // How long an animated setViewControllers() takes.
  static constexpr double kTransitionDuration = 0.3;

  explicit PageViewController(
      PageViewControllerTransitionStyle style = PageViewControllerTransitionStyle::scroll,
      PageViewControllerNavigationOrientation orientation = PageViewControllerNavigationOrientation::horizontal);
  ~PageViewController() override;

  PageViewControllerTransitionStyle transitionStyle() const { return style_; }
  PageViewControllerNavigationOrientation navigationOrientation() const { return orientation_; }
  std::shared_ptr<PageViewControllerDataSource> dataSource() const { return dataSource_.lock(); }
  void setDataSource(std::weak_ptr<PageViewControllerDataSource> dataSource) { dataSource_ = std::move(dataSource); }
  std::shared_ptr<PageViewControllerDelegate> delegate() const { return delegate_.lock(); }
  void setDelegate(std::weak_ptr<PageViewControllerDelegate> delegate) { delegate_ = std::move(delegate); }

  // The page on screen (one at most).
  const std::vector<std::shared_ptr<ViewController>>& viewControllers() const { return viewControllers_; }
  // Shows the first of the controllers. Animated, the new page slides in from the side of the
  // direction (forward: from the right). A swipe under way is ended first as not finished. No
  // controller: logged, and the completion hears false.
  void setViewControllers(std::vector<std::shared_ptr<ViewController>> controllers, Direction direction, bool animated,
                          SetCompletion completion = {});

  // The paging scroll view the pages sit in (loads the view).
  const std::shared_ptr<ScrollView>& scrollView();

  void loadView() override;

 protected:
  void layoutManagedViews() override;

 private:
  class ScrollHandler;
  struct Side {
    std::shared_ptr<ViewController> page;
    int slot;  // 0 before, 2 after
  };

  // --- the scroll view's events ---
  void dragBegan();
  void scrolled();
  void cameToRest();
  void animationEnded();

  double pageWidth() const;
  Rect slotFrame(int slot) const;
  void placePage(const std::shared_ptr<ViewController>& page, int slot);
  void removePage(const std::shared_ptr<ViewController>& page);
  void allowScrolling(bool before, bool after);
  void recentre();
  void announce(const Side& side);
  void finishSwipe(bool finished);
  bool onScreen() const;
  void clearNeighbours();

  PageViewControllerTransitionStyle style_;
  PageViewControllerNavigationOrientation orientation_;
  std::weak_ptr<PageViewControllerDataSource> dataSource_;
  std::weak_ptr<PageViewControllerDelegate> delegate_;
  std::vector<std::shared_ptr<ViewController>> viewControllers_;
  std::shared_ptr<ScrollView> scrollView_;
  std::shared_ptr<ScrollHandler> handler_;

  // A swipe: the pages on either side, and the one announced to the delegate.
  std::shared_ptr<ViewController> before_;
  std::shared_ptr<ViewController> after_;
  std::shared_ptr<ViewController> pending_;
  bool moving_ = false;  // our own offset changes, which are no swipe

  // A programmatic animated change under way.
  std::shared_ptr<ViewController> incoming_;
  std::shared_ptr<ViewController> outgoing_;
  SetCompletion completion_;
};

}  // namespace ui
