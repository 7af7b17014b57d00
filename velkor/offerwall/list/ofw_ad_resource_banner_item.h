// A carousel banner that shows an ad: its icon, its title and its subtitle with the reward filled in,
// over the banner's background colour.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/base/attributed_string.h"
#include "platform/ui/collection_view_cell.h"
#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "platform/ui/stack_view.h"

namespace velkor {

class VelkorColorScheme;
class VelkorDimension;

class OfwAdResourceBannerItem : public ui::CollectionViewCell {
 public:
  static const std::string& reuseIdentifier() {
    static const std::string identifier = "OfwAdResourceBannerItem";
    return identifier;
  }

  OfwAdResourceBannerItem();

  // A hex colour text, the texts (none clears them) and the icon's address; no usable address shows
  // the placeholder.
  virtual void configure(const std::string& backgroundColor, const std::optional<std::string>& title,
                         const std::optional<base::AttributedString>& subtitle,
                         const std::optional<std::string>& imageUrl);

  const std::shared_ptr<ui::ImageView>& imageView() const { return imageView_; }
  const std::shared_ptr<ui::StackView>& labelStackView() const { return labelStackView_; }
  const std::shared_ptr<ui::Label>& titleLabel() const { return titleLabel_; }
  const std::shared_ptr<ui::Label>& subtitleLabel() const { return subtitleLabel_; }

 private:
  void setUIAttributes();
  void setLayoutConstraints();

  std::shared_ptr<VelkorColorScheme> colorScheme_;
  std::shared_ptr<VelkorDimension> dimension_;
  std::shared_ptr<ui::ImageView> imageView_ = std::make_shared<ui::ImageView>();
  std::shared_ptr<ui::StackView> labelStackView_ = std::make_shared<ui::StackView>();
  std::shared_ptr<ui::Label> titleLabel_ = std::make_shared<ui::Label>();
  std::shared_ptr<ui::Label> subtitleLabel_ = std::make_shared<ui::Label>();
};

}  // namespace velkor
