#include "velkor/offerwall/rows/row_style.h"

#include "platform/base/url.h"
#include "velkor/components/remote_image.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/resources/resource_bundle.h"

namespace velkor {

std::shared_ptr<VelkorColorScheme> currentColorScheme() { return VelkorInternal::shared().colorScheme(); }
std::shared_ptr<VelkorDimension> currentDimension() { return VelkorInternal::shared().dimension(); }
std::shared_ptr<VelkorConfig> currentConfig() { return VelkorInternal::shared().config(); }

ui::Font namedFont(std::string_view name, double size, ui::FontWeight fallbackWeight) {
  if (auto font = ui::Font::named(name, size)) return *font;
  return ui::Font::systemFont(size, fallbackWeight);
}

ui::Font gothicBold(double size) { return namedFont("AppleSDGothicNeo-Bold", size, ui::FontWeight::bold); }
ui::Font gothicRegular(double size) { return namedFont("AppleSDGothicNeo-Regular", size, ui::FontWeight::regular); }

base::Attributes textAttributes(const ui::Color& color, const ui::Font& font) {
  return base::Attributes{.foregroundColor = color.toColorDescription(), .font = font.toFontDescription()};
}

std::optional<ui::Image> bundleImage(std::string_view name) { return ui::Image::named(name, resourceBundle()); }

std::string plainText(const Ad& ad, const std::optional<std::string>& templateText) {
  return ad.makeAttributedString(templateText.value_or("")).string();
}

std::optional<ui::Image> infoIcon(const Ad& ad) {
  return bundleImage(ad.completed.value_or(0) > 0 ? "ico-info-completed" : "ico-info-timer");
}

void styleInfoOverlay(ui::View& overlay, const ui::Color& background, ui::StackView& content, ui::ImageView& icon,
                      ui::Label& title, ui::LayoutAxis axis) {
  overlay.setBackgroundColor(background);
  icon.setImage(bundleImage("ico-info-completed"));
  title.setTextAlignment(ui::TextAlignment::center);
  title.setNumberOfLines(0);
  content.setAxis(axis);
  content.setSpacing(5.0);
}

void setMarkLayout(const std::shared_ptr<ui::ImageView>& mark, bool isGone, const std::shared_ptr<ui::View>& parent,
                   std::vector<std::shared_ptr<ui::Constraint>>& constraints,
                   const std::function<std::vector<std::shared_ptr<ui::Constraint>>()>& make) {
  mark->setHidden(isGone);
  if (isGone) {
    mark->removeFromSuperview();
    return;
  }
  if (mark->superview() != parent.get()) parent->addSubview(mark);
  if (constraints.empty()) constraints = make();
  ui::Constraint::activate(constraints);
}

bool loadAdImage(const std::shared_ptr<ui::ImageView>& view, std::string_view address) {
  auto url = base::Url::parse(address);
  if (!url) return false;
  setImage(view, *url);
  return true;
}

}  // namespace velkor
