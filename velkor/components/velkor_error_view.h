// Fills a list that has nothing to show: the "nothing" picture over a fixed text, in the middle.
// Theme read once, at creation.
#pragma once

#include <memory>

#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "platform/ui/stack_view.h"

namespace velkor {

class VelkorColorScheme;
class VelkorDimension;

class VelkorErrorView : public ui::View {
 public:
  struct Token {};
  static std::shared_ptr<VelkorErrorView> make();
  explicit VelkorErrorView(Token);

  const std::shared_ptr<ui::StackView>& contentStackView() const { return contentStackView_; }
  const std::shared_ptr<ui::ImageView>& iconImageView() const { return iconImageView_; }
  const std::shared_ptr<ui::Label>& messageLabel() const { return messageLabel_; }

  virtual void setLayoutConstraints();
  virtual void setIconImageViewAttributes();
  virtual void setMessageLabelAttributes();

 protected:
  const std::shared_ptr<VelkorDimension> dimension_;
  const std::shared_ptr<VelkorColorScheme> colorScheme_;

 private:
  std::shared_ptr<ui::StackView> contentStackView_;
  std::shared_ptr<ui::ImageView> iconImageView_;
  std::shared_ptr<ui::Label> messageLabel_;
};

}  // namespace velkor
