#include "velkor/detail/detail_nib.h"

#include <memory>
#include <vector>

#include "platform/ui/constraint.h"
#include "platform/ui/controller_view.h"
#include "platform/ui/scroll_view.h"
#include "velkor/appearance/velkor_ofw_text.h"
#include "velkor/components/gradient_view.h"
#include "velkor/detail/default_ofw_detail_view_controller.h"

namespace velkor {
namespace {

using ui::Constraint;

constexpr double kInset = 20;
// The notice section's header, line and gaps come to 47 points above its image.
constexpr double kNoticeHeaderHeight = 20, kNoticeGap = 8, kNoticeLineHeight = 1;
constexpr double kBottomBarSpace = 112;

template <class V>
std::shared_ptr<V> make(const std::shared_ptr<ui::View>& parent) {
  auto view = std::make_shared<V>();
  view->setTranslatesAutoresizingMaskIntoConstraints(false);
  parent->addSubview(view);
  return view;
}

std::shared_ptr<ui::Label> label(const std::shared_ptr<ui::View>& parent, const ui::Font& font, int lines = 0) {
  auto made = make<ui::Label>(parent);
  made->setFont(font);
  made->setNumberOfLines(lines);
  return made;
}

// Pins a view across its parent with the page's side insets.
std::vector<std::shared_ptr<Constraint>> sides(ui::View& view, ui::View& parent, double inset = kInset) {
  return {view.leadingAnchor().constraintEqualTo(parent.leadingAnchor(), inset),
          view.trailingAnchor().constraintEqualTo(parent.trailingAnchor(), -inset)};
}

std::vector<ui::NibObject> buildDetail(const ui::NibOwner& owner) {
  auto root = std::make_shared<ui::ControllerView<ui::View>>();
  auto scroll = make<ui::ScrollView>(root);
  auto content = make<ui::View>(scroll);
  auto thumbnail = make<ui::ImageView>(content);
  thumbnail->setContentMode(ui::ContentMode::scaleAspectFill);
  thumbnail->setClipsToBounds(true);
  auto title = label(content, VelkorOfwText::regularFont(14));
  auto subtitle = label(content, VelkorOfwText::boldFont(20));
  auto descWrapper = make<ui::View>(content);
  auto condition = label(descWrapper, VelkorOfwText::regularFont(14));
  auto contact = make<ui::Button>(content);
  auto notice = make<ui::View>(content);
  notice->setClipsToBounds(true);
  auto noticeHeader = label(notice, VelkorOfwText::boldFont(16), 1);
  noticeHeader->setText("이벤트 안내");
  auto noticeLine = make<ui::View>(notice);
  noticeLine->setBackgroundColor(ui::Color::lightGray());
  auto noticeImage = make<ui::ImageView>(notice);
  noticeImage->setContentMode(ui::ContentMode::scaleAspectFit);
  auto noticeDesc = make<ui::View>(content);
  auto descHeader = label(noticeDesc, VelkorOfwText::boldFont(14), 1);
  descHeader->setText("유의사항");
  auto description = label(noticeDesc, VelkorOfwText::regularFont(13));
  auto gradient = make<GradientView>(root);
  auto bottom = make<ui::View>(root);
  auto submit = make<ui::Button>(bottom);
  submit->titleLabel()->setNumberOfLines(2);

  auto noticeHeight = notice->heightAnchor().constraintEqualToConstant(0);
  auto noticeImageHeight = noticeImage->heightAnchor().constraintEqualToConstant(0);
  auto noticeHeaderTop = noticeHeader->topAnchor().constraintEqualTo(notice->topAnchor(), 0);
  auto submitBottom = bottom->safeAreaLayoutGuide()->bottomAnchor().constraintEqualTo(submit->bottomAnchor(), 24);
  std::vector<std::shared_ptr<Constraint>> all = {
      scroll->topAnchor().constraintEqualTo(root->topAnchor()),
      scroll->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
      scroll->trailingAnchor().constraintEqualTo(root->trailingAnchor()),
      scroll->bottomAnchor().constraintEqualTo(root->bottomAnchor()),
      content->topAnchor().constraintEqualTo(scroll->topAnchor()),
      content->leadingAnchor().constraintEqualTo(scroll->leadingAnchor()),
      content->widthAnchor().constraintEqualTo(scroll->widthAnchor()),
      thumbnail->topAnchor().constraintEqualTo(content->topAnchor()),
      thumbnail->heightAnchor().constraintEqualTo(thumbnail->widthAnchor(), 0.5, 0),
      title->topAnchor().constraintEqualTo(thumbnail->bottomAnchor(), 24),
      subtitle->topAnchor().constraintEqualTo(title->bottomAnchor(), 4),
      descWrapper->topAnchor().constraintEqualTo(subtitle->bottomAnchor(), 20),
      condition->topAnchor().constraintEqualTo(descWrapper->topAnchor(), 16),
      condition->bottomAnchor().constraintEqualTo(descWrapper->bottomAnchor(), -16),
      contact->topAnchor().constraintEqualTo(descWrapper->bottomAnchor(), 16),
      contact->heightAnchor().constraintEqualToConstant(48),
      notice->topAnchor().constraintEqualTo(contact->bottomAnchor(), 24),
      noticeHeight,
      noticeHeaderTop,
      noticeHeader->heightAnchor().constraintEqualToConstant(kNoticeHeaderHeight),
      noticeLine->topAnchor().constraintEqualTo(noticeHeader->bottomAnchor(), kNoticeGap),
      noticeLine->heightAnchor().constraintEqualToConstant(kNoticeLineHeight),
      noticeImage->topAnchor().constraintEqualTo(noticeLine->bottomAnchor(), kNoticeGap),
      noticeImageHeight,
      noticeDesc->topAnchor().constraintEqualTo(notice->bottomAnchor(), 24),
      noticeDesc->bottomAnchor().constraintEqualTo(content->bottomAnchor(), -kBottomBarSpace),
      descHeader->topAnchor().constraintEqualTo(noticeDesc->topAnchor(), 20),
      description->topAnchor().constraintEqualTo(descHeader->bottomAnchor(), 12),
      description->bottomAnchor().constraintEqualTo(noticeDesc->bottomAnchor(), -24),
      bottom->leadingAnchor().constraintEqualTo(root->leadingAnchor()),
      bottom->trailingAnchor().constraintEqualTo(root->trailingAnchor()),
      bottom->bottomAnchor().constraintEqualTo(root->bottomAnchor()),
      gradient->bottomAnchor().constraintEqualTo(bottom->topAnchor()),
      gradient->heightAnchor().constraintEqualToConstant(24),
      submit->topAnchor().constraintEqualTo(bottom->topAnchor(), 12),
      submit->heightAnchor().constraintGreaterThanOrEqualToConstant(52),
      submitBottom,
  };
  for (const auto& [view, parent, inset] : std::vector<std::tuple<ui::View*, ui::View*, double>>{
           {thumbnail.get(), content.get(), 0},     {title.get(), content.get(), kInset},
           {subtitle.get(), content.get(), kInset}, {descWrapper.get(), content.get(), kInset},
           {condition.get(), descWrapper.get(), 16}, {contact.get(), content.get(), kInset},
           {notice.get(), content.get(), 0},        {noticeHeader.get(), notice.get(), kInset},
           {noticeLine.get(), notice.get(), kInset}, {noticeImage.get(), notice.get(), kInset},
           {noticeDesc.get(), content.get(), 0},    {descHeader.get(), noticeDesc.get(), kInset},
           {description.get(), noticeDesc.get(), kInset}, {gradient.get(), root.get(), 0},
           {submit.get(), bottom.get(), kInset}}) {
    for (auto& constraint : sides(*view, *parent, inset)) all.push_back(constraint);
  }
  Constraint::activate(all);

  if (auto* screen = owner.as<DefaultOfwDetailViewController>()) {
    screen->setView(root);
    screen->setContentView(content);
    screen->setThumbnail(thumbnail);
    screen->setTitleLabel(title);
    screen->setSubtitleLabel(subtitle);
    screen->setDescWrapper(descWrapper);
    screen->setConditionLabel(condition);
    screen->setNestedContactButton(contact);
    screen->setNoticeWrapper(notice);
    screen->setNoticeHeaderLabel(noticeHeader);
    screen->setNoticeImage(noticeImage);
    screen->setNoticeDescWrapper(noticeDesc);
    screen->setDescHeaderLabel(descHeader);
    screen->setDescriptionLabel(description);
    screen->setFixedBottomGradientView(gradient);
    screen->setFixedBottomViewWrapper(bottom);
    screen->setSubmitButton(submit);
    screen->setNoticeImageLine(noticeLine);
    screen->setNoticeHeightConstraint(noticeHeight);
    screen->setNoticeImageHeightConstraint(noticeImageHeight);
    screen->setNoticeHeaderLabelTopConstraint(noticeHeaderTop);
    screen->setDetailCTAButtonBottomConstraint(submitBottom);
    submit->addAction(ui::ControlEvent::touchUpInside, [weak = screen->weak_from_this()] {
      if (auto page = std::dynamic_pointer_cast<DefaultOfwDetailViewController>(weak.lock())) page->paricipate();
    });
  }
  return {root};
}

}  // namespace

void registerDetailNib(ui::NibRegistry& registry) {
  registry.registerNib(DefaultOfwDetailViewController::kNibName, buildDetail);
}

}  // namespace velkor
