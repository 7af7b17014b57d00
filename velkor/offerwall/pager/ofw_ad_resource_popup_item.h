// A popup carousel page that presents an ad: its picture, title and reward line over a divider
// and a call-to-action caption. The caption is a disabled button: a tap anywhere on the page goes
// to the pager, which opens the popup's link.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/base/attributed_string.h"
#include "platform/ui/button.h"
#include "platform/ui/collection_view_cell.h"
#include "platform/ui/image_view.h"
#include "platform/ui/label.h"

namespace velkor {

class VelkorColorScheme;
class VelkorDimension;

class OfwAdResourcePopupItem : public ui::CollectionViewCell {
 public:
  static constexpr const char* kDefaultButtonText = "참여하러 가기";

  static const std::string& reuseIdentifier() {
    static const std::string identifier = "OfwAdResourcePopupItem";
    return identifier;
  }

  OfwAdResourcePopupItem();

  // None clears a text; an absent or empty button text shows "참여하러 가기".
  virtual void configure(const std::optional<std::string>& title, const std::optional<base::AttributedString>& subtitle,
                         const std::optional<std::string>& buttonText, const std::optional<std::string>& imageUrl);

  const std::shared_ptr<ui::ImageView>& imageView() const { return imageView_; }
  const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<ui::Label>& subtitleLabel() const { return subtitleLabel_; }
  const std::shared_ptr<ui::Button>& ctaButton() const { return ctaButton_; }

 private:
  void setUIAttributes();
  void setLayoutConstraints();

  std::shared_ptr<VelkorDimension> dimension_;
  std::shared_ptr<VelkorColorScheme> colorScheme_;
  std::shared_ptr<ui::ImageView> imageView_ = std::make_shared<ui::ImageView>();
  std::shared_ptr<ui::Label> titleLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::Label> subtitleLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::View> dividerView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::View> ctaButtonWrapperView_ = std::make_shared<ui::View>();
  std::shared_ptr<ui::Button> ctaButton_ = std::make_shared<ui::Button>();
};

}  // namespace velkor
