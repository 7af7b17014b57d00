// Covers a screen whose data did not arrive: two fixed texts in the middle and a retry button. The
// screen that shows it wires the retry button and removes the view. Theme read once, at creation.
#pragma once

#include <memory>

#include "platform/ui/button.h"
#include "platform/ui/image_view.h"
#include "platform/ui/label.h"

namespace velkor {

class VelkorColorScheme;
class VelkorDimension;

class OfwNetworkErrorView : public ui::View {
 public:
  struct Token {};
  static std::shared_ptr<OfwNetworkErrorView> make();
  explicit OfwNetworkErrorView(Token);

  const std::shared_ptr<ui::View>& contentView() const { return contentView_; }
  const std::shared_ptr<ui::ImageView>& iconImageView() const { return iconImageView_; }
  const std::shared_ptr<ui::Label>& messageLabel() const { return messageLabel_; }
  const std::shared_ptr<ui::Label>& detailMessageLabel() const { return detailMessageLabel_; }
  const std::shared_ptr<ui::Button>& retryButton() const { return retryButton_; }

  // setUIAttributes() then setUILayout().
  virtual void commonInit();
  virtual void setUILayout();
  virtual void setUIAttributes();
  // Kept for publishers' subclasses; changes nothing (the SDK's own name, spelled so).
  virtual void setRetyable(bool retry) { (void)retry; }

 protected:
  const std::shared_ptr<VelkorDimension> dimension_;
  const std::shared_ptr<VelkorColorScheme> colorScheme_;

 private:
  std::shared_ptr<ui::View> contentView_;
  std::shared_ptr<ui::ImageView> iconImageView_;
  std::shared_ptr<ui::Label> messageLabel_;
  std::shared_ptr<ui::Label> detailMessageLabel_;
  std::shared_ptr<ui::Button> retryButton_;
};

}  // namespace velkor
