// The detail screen's rendering of its ad (the page's texts, images and notices) and of its
// call-to-action button.
#include "platform/ui/navigation_controller.h"
#include "velkor/appearance/hex_color.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/appearance/velkor_dimension.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/components/remote_image.h"
#include "velkor/components/ui_kit_extensions.h"
#include "velkor/components/velkor_navigation_bar.h"
#include "velkor/core/host_ad_actions.h"
#include "velkor/core/label_line_height.h"
#include "velkor/detail/default_ofw_detail_view_controller.h"
#include "velkor/detail/notice_list.h"
#include "velkor/offerwall/rows/countdown_text.h"
#include "velkor/offerwall/rows/row_style.h"

namespace velkor {
namespace {

constexpr double kNoticeIndent = 18.0;
constexpr double kNoticeParagraphSpacing = 7.0;
// Header and margins of the notice section around its image.
constexpr double kNoticeChrome = 47.0;
constexpr double kNoticeHeaderTop = 10.0;

// An image address as given, else with its braces escaped (the repair landing addresses get).
std::optional<base::Url> imageUrl(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  auto url = landingUrl(*text);
  return url ? std::optional<base::Url>(*url) : std::nullopt;
}

}  // namespace

void DefaultOfwDetailViewController::renderAd() {
  if (!currentAd_ || !currentAd_->viewItemsInfo) {
    callToAction_.clear();
    if (currentAd_) {
      const Ad ad = *currentAd_;
      ui::View::performWithoutAnimation([&] { updateDetailCtaButton(ad); });
    }
    return;
  }
  const Ad ad = *currentAd_;
  const ViewItemsInfo& items = *ad.viewItemsInfo;
  auto* navigation = ui::ViewController::navigationController();
  if (items.titleBar && navigation && navigation->viewControllers().back().get() == this) {
    if (auto* bar = dynamic_cast<VelkorNavigationBar*>(&navigation->navigationBar())) {
      if (auto label = bar->titleLabel()) label->setText(*items.titleBar);
    }
  }
  if (auto url = imageUrl(items.image); url && thumbnail()) setImage(thumbnail(), *url);
  if (auto label = titleLabel()) label->setAttributedText(ad.makeAttributedString(items.title.value_or("")));
  if (auto label = subtitleLabel()) label->setAttributedText(ad.makeAttributedString(items.subtitle.value_or("")));
  if (auto label = conditionLabel()) {
    label->setAttributedText(ad.makeAttributedString(items.eventNotice.value_or("")));
    setLineHeight(*label, 1.2);
  }
  renderNotices(ad, items);
  if (view()->window()) renderNoticeImage(items);
  callToAction_ = plainText(ad, items.callToAction);
  ui::View::performWithoutAnimation([&] { updateDetailCtaButton(ad); });
}

void DefaultOfwDetailViewController::renderNotices(const Ad& ad, const ViewItemsInfo& items) {
  auto label = descriptionLabel();
  if (!label) return;
  if (!items.noticeDetail) {
    label->setHidden(true);
    return;
  }
  const base::AttributedString expanded = ad.makeAttributedString(*items.noticeDetail);
  label->setAttributedText(expanded);
  setLineHeight(*label, 1.41);
  label->setHidden(false);
  const ui::Font font = label->font();
  const ui::Color gray = colorFromHex("777777");
  label->setAttributedText(bulletedList(noticeItems(expanded.string()), "•",
                                        {font, gray, gray, kNoticeIndent, font.pointSize() * 0.47 * 0.5,
                                         kNoticeParagraphSpacing}));
}

void DefaultOfwDetailViewController::renderNoticeImage(const ViewItemsInfo& items) {
  std::optional<base::Url> url = imageUrl(items.eventNoticeImage);
  if (items.eventNoticeDarkImage && isDarkMode(*view())) url = imageUrl(items.eventNoticeDarkImage);
  auto wrapper = noticeWrapper();
  if (!url) {
    if (wrapper) wrapper->setHidden(true);
    for (const auto& constraint : {noticeImageHeightConstraint_, noticeHeightConstraint_, noticeHeaderLabelTopConstraint_}) {
      if (constraint) constraint->setConstant(0);
    }
    return;
  }
  if (wrapper) wrapper->setHidden(false);
  auto image = noticeImage();
  if (!image) return;
  // The page is kept until its image is sized, as a page closed meanwhile has nothing to size.
  setImage(image, *url, [screen = self()](const ui::Image& loaded) { screen->sizeNoticeSection(loaded); });
}

void DefaultOfwDetailViewController::sizeNoticeSection(const ui::Image& image) {
  auto view = noticeImage();
  // An image without width cannot give a height: the section keeps its size.
  if (!view || image.size().width <= 0) return;
  const double height = view->frame().width() / image.size().width * image.size().height;
  ui::Rect frame = view->frame();
  frame.size.height = height;
  view->setFrame(frame);
  if (noticeImageHeightConstraint_) noticeImageHeightConstraint_->setConstant(height);
  if (noticeHeightConstraint_) noticeHeightConstraint_->setConstant(height + kNoticeChrome);
  if (noticeHeaderLabelTopConstraint_) noticeHeaderLabelTopConstraint_->setConstant(kNoticeHeaderTop);
}

void DefaultOfwDetailViewController::updateDetailCtaButton(const Ad& ad) {
  auto button = submitButton();
  if (!button) return;
  if (ad.viewItemsInfo) {
    const ViewItemsInfo& items = *ad.viewItemsInfo;
    const bool enabled = items.isCallToActionEnabled();
    const std::string& titleTemplate = items.callToAction ? *items.callToAction : std::string();
    const auto& scheme = *colorScheme();
    const ui::Font font = VelkorOfwText::detailCtaButtonTextFont().instance(dimension()->detailCtaButtonTextSize());
    button->setAttributedTitle(
        base::AttributedString(plainText(ad, items.callToAction),
                               textAttributes(enabled ? scheme.detailCtaButtonTextEnableColor()
                                                      : scheme.detailCtaButtonTextDisableColor(),
                                              font)),
        ui::ControlState::normal);
    button->setBackgroundColor(enabled ? scheme.detailCtaButtonEnableColor() : scheme.detailCtaButtonDisableColor());
    if (countdownApplies(ad, titleTemplate)) {
      button->setAttributedTitle(makeDetailCtaRemainingTimeText(ad), ui::ControlState::normal);
    }
  }
  button->setHidden(false);
  button->layoutIfNeeded();
}

base::AttributedString DefaultOfwDetailViewController::makeDetailCtaRemainingTimeText(const Ad& ad) const {
  const base::Attributes attributes =
      textAttributes(colorScheme()->detailCtaButtonTextDisableColor(),
                     VelkorOfwText::detailCtaButtonTextFont().instance(dimension()->detailCtaButtonTextSize()));
  const std::string titleTemplate = ad.viewItemsInfo ? ad.viewItemsInfo->callToAction.value_or("") : "";
  return makeCountdownText(ad, titleTemplate, {attributes, attributes});
}

}  // namespace velkor
