// The head of a list page's table: room for the banner carousel and the tag chips, and under them a
// bar with the total reward on the left and the sort-order button on the right. It only builds,
// styles and lays out its parts; the list page fills the texts, wires the controls and sets its
// height.
#pragma once

#include <memory>

#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "platform/ui/stack_view.h"
#include "platform/ui/view.h"
#include "velkor/components/an_tag_list_view.h"

namespace ui {
class Button;
}

namespace velkor {

class VelkorColorScheme;
class VelkorDimension;

// How a replacement header reports a sort-order choice: the raw sort order and the button that
// sent it. The default header never calls it.
class OrderDelegate {
 public:
  virtual ~OrderDelegate() = default;
  virtual void orderChanged(int sortOrder, ui::Button* sender) { (void)sortOrder, (void)sender; }
};

class OfwTableHeaderView : public ui::View {
 public:
  // A header or footer set up and ready: the steps run once it is held, as its constraints tie
  // subviews to the view itself. A publisher's subclass is made through make<Subclass>().
  template <class T = OfwTableHeaderView>
  static std::shared_ptr<T> make() {
    auto made = std::make_shared<T>();
    static_cast<OfwTableHeaderView&>(*made).commonInit();
    return made;
  }
  // Builds the subviews only; make() sets them up.
  OfwTableHeaderView();

  const std::shared_ptr<ui::StackView>& tagListWrapper() const { return tagListWrapper_; }
  const std::shared_ptr<ui::View>& additionalSpacer() const { return additionalSpacer_; }
  const std::shared_ptr<ANTagListView>& tagListView() const { return tagListView_; }
  const std::shared_ptr<ui::View>& orderView() const { return orderView_; }
  const std::shared_ptr<ui::Label>& totalRewardLabel() const { return totalRewardLabel_; }
  const std::shared_ptr<ui::View>& orderButtonContainerView() const { return orderButtonContainerView_; }
  const std::shared_ptr<ui::Label>& orderButtonTextLabel() const { return orderButtonTextLabel_; }
  const std::shared_ptr<ui::ImageView>& orderButtonImageView() const { return orderButtonImageView_; }
  std::shared_ptr<OrderDelegate> orderDelegate() const { return orderDelegate_.lock(); }
  void setOrderDelegate(std::weak_ptr<OrderDelegate> delegate) { orderDelegate_ = std::move(delegate); }

 protected:
  // Styling, then layout; each runs once, at creation.
  virtual void commonInit();
  virtual void setUILayout();
  virtual void setUIAttributes();

  const std::shared_ptr<VelkorColorScheme>& colorScheme() const { return colorScheme_; }
  const std::shared_ptr<VelkorDimension>& dimension() const { return dimension_; }

 private:
  std::shared_ptr<ui::StackView> tagListWrapper_ = std::make_shared<ui::StackView>();
  const std::shared_ptr<ui::View> additionalSpacer_ = std::make_shared<ui::View>();
  std::shared_ptr<ANTagListView> tagListView_ = std::make_shared<ANTagListView>();
  std::shared_ptr<ui::View> orderView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::Label> totalRewardLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::View> orderButtonContainerView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::Label> orderButtonTextLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::ImageView> orderButtonImageView_ = std::make_shared<ui::ImageView>();
  std::weak_ptr<OrderDelegate> orderDelegate_;
  const std::shared_ptr<VelkorColorScheme> colorScheme_;
  const std::shared_ptr<VelkorDimension> dimension_;
};

}  // namespace velkor
