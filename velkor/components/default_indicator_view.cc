#include "velkor/components/default_indicator_view.h"

#include <vector>

#include "platform/ui/constraint.h"
#include "platform/ui/shape_layer.h"
#include "velkor/appearance/velkor_color_scheme.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {

// The dots themselves. Every layout pass places them and restarts their cycle, so an indicator laid
// out while it shows starts again from the beginning.
class DotIndicatorView : public ui::View {
 public:
  static constexpr int kDotsCount = 3;
  static constexpr double kDotsRadius = 6.0;
  static constexpr double kDotsSpacing = 10.0;
  static constexpr double kDotsOpacity = 0.2;
  static constexpr double kDotSize = 2 * kDotsRadius;
  static constexpr const char* kAnimationKey = "velkor.indicator.alphaAnimation";

  DotIndicatorView() {
    // The colour of the moment: a later scheme does not recolour these dots, a tint does.
    const ui::Color color = VelkorInternal::shared().colorScheme()->primaryColor();
    for (int i = 0; i < kDotsCount; ++i) {
      auto dot = std::make_shared<ui::ShapeLayer>();
      dot->setBounds({0, 0, kDotSize, kDotSize});
      dot->setPath(ui::BezierPath::roundedRect(dot->bounds(), kDotsRadius));
      dot->setFillColor(color);
      layer().addSublayer(dot);
      dotLayers_.push_back(std::move(dot));
    }
  }

  void setTintColor(std::optional<ui::Color> color) override {
    View::setTintColor(std::move(color));
    for (const auto& dot : dotLayers_) dot->setFillColor(tintColor());
  }

  void layoutSubviews() override {
    View::layoutSubviews();
    const double width = bounds().width(), height = bounds().height();
    for (int i = 0; i < kDotsCount; ++i) {
      dotLayers_[i]->setPosition({width / 2 + (kDotsSpacing + kDotSize) * (i - 1), height / 2});
    }
    startAnimating();
  }

  void stopAnimating() {
    for (const auto& dot : dotLayers_) dot->removeAllAnimations();
  }

  // Each dot dims over 0.3 s and brightens over 0.2 s, a quarter second after the one before it.
  void startAnimating() {
    for (int i = 0; i < kDotsCount; ++i) {
      const double begin = 0.25 * i;
      ui::BasicAnimation dim("opacity");
      dim.fromValue = 1.0;
      dim.toValue = kDotsOpacity;
      dim.beginTime = begin;
      dim.duration = 0.3;
      ui::BasicAnimation brighten("opacity");
      brighten.fromValue = kDotsOpacity;
      brighten.toValue = 1.0;
      brighten.beginTime = begin + dim.duration;
      brighten.duration = 0.2;
      ui::AnimationGroup group;
      group.add(dim);
      group.add(brighten);
      group.duration = 1.0;
      group.repeatCount = ui::kRepeatForever;
      dotLayers_[i]->removeAllAnimations();
      dotLayers_[i]->add(group, kAnimationKey);
    }
  }

 private:
  std::vector<std::shared_ptr<ui::ShapeLayer>> dotLayers_;
};

std::shared_ptr<DefaultIndicatorView> DefaultIndicatorView::make() {
  auto view = std::make_shared<DefaultIndicatorView>(Token{});
  const auto& dots = view->dotIndicatorView_;
  view->addSubview(dots);
  dots->setTranslatesAutoresizingMaskIntoConstraints(false);
  ui::Constraint::activate({
      dots->widthAnchor().constraintEqualToConstant(120),
      dots->heightAnchor().constraintEqualToConstant(120),
      dots->centerXAnchor().constraintEqualTo(view->centerXAnchor()),
      dots->centerYAnchor().constraintEqualTo(view->centerYAnchor()),
  });
  return view;
}

DefaultIndicatorView::DefaultIndicatorView(Token) : dotIndicatorView_(std::make_shared<DotIndicatorView>()) {}

void DefaultIndicatorView::show() {
  auto& dots = static_cast<DotIndicatorView&>(*dotIndicatorView_);
  dots.stopAnimating();
  dots.startAnimating();
}

void DefaultIndicatorView::hide() { static_cast<DotIndicatorView&>(*dotIndicatorView_).stopAnimating(); }

}  // namespace velkor
