// The foot of a list page's table: a move-to-top button over a coloured square half its size. The
// list page wires the button.
#pragma once

#include <memory>

#include "platform/ui/button.h"
#include "platform/ui/image.h"
#include "platform/ui/view.h"

namespace velkor {

class VelkorColorScheme;
class VelkorDimension;

class OfwTableFooterView : public ui::View {
 public:
  // A header or footer set up and ready: the steps run once it is held, as its constraints tie
  // subviews to the view itself. A publisher's subclass is made through make<Subclass>().
  template <class T = OfwTableFooterView>
  static std::shared_ptr<T> make() {
    auto made = std::make_shared<T>();
    static_cast<OfwTableFooterView&>(*made).commonInit();
    return made;
  }
  // Builds the subviews only; make() sets them up.
  OfwTableFooterView();

  const std::shared_ptr<ui::View>& bottomView() const { return bottomView_; }
  const std::shared_ptr<ui::Button>& moveToTopButton() const { return moveToTopButton_; }

  // Where the button's "btnTop" comes from: the bundle of the footer's own class. A publisher's
  // subclass that ships its own picture answers its bundle here.
  virtual const ui::ImageBundle& imageBundle() const;

 protected:
  virtual void commonInit();
  virtual void setLayoutConstraints();
  virtual void setUIAttributes();

  const std::shared_ptr<VelkorColorScheme>& colorScheme() const { return colorScheme_; }
  const std::shared_ptr<VelkorDimension>& dimension() const { return dimension_; }

 private:
  std::shared_ptr<ui::View> bottomView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::Button> moveToTopButton_ = std::make_shared<ui::Button>();
  const std::shared_ptr<VelkorColorScheme> colorScheme_;
  const std::shared_ptr<VelkorDimension> dimension_;
};

}  // namespace velkor
