#include "platform/ui/nib_registry.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/ui/constraint.h"
#include "platform/ui/label.h"
#include "platform/ui/view_controller.h"
#include "tests/platform/ui/controller_testing.h"

namespace ui {
namespace {

// A bar whose outlets style what they are given at once, as publishers' bars do.
class TitleBar : public View {
 public:
  void setContentView(std::shared_ptr<View> view) { content = std::move(view); }
  void setTitleLabel(std::shared_ptr<Label> label) {
    title = label;
    label->setTextColor(Color(1, 0, 0));
  }
  void setWidthConstraint(std::shared_ptr<Constraint> constraint) { width = std::move(constraint); }
  std::shared_ptr<View> content;
  std::weak_ptr<Label> title;
  std::shared_ptr<Constraint> width;
};

std::vector<NibObject> titleBarNib(const NibOwner& owner) {
  auto content = std::make_shared<View>();
  auto title = std::make_shared<Label>();
  title->setTranslatesAutoresizingMaskIntoConstraints(false);
  content->addSubview(title);
  auto width = title->widthAnchor().constraintEqualToConstant(72);
  width->setActive(true);
  if (auto* bar = owner.as<TitleBar>()) {
    bar->setContentView(content);
    bar->setTitleLabel(title);
    bar->setWidthConstraint(width);
  }
  return {content};
}

class NibRegistryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    NibRegistry::framework().removeNib("TitleBar");
    NibRegistry::main().removeNib("TitleBar");
    NibRegistry::main().removeNib("Screen");
    NibRegistry::framework().removeNib("Alert");
  }
  dispatch::main_loop::TestScope scope_;
};

TEST_F(NibRegistryTest, LoadingWithAnOwnerConnectsItsOutletsThroughTheSetters) {
  NibRegistry::framework().registerNib("TitleBar", titleBarNib);
  auto bar = std::make_shared<TitleBar>();
  auto objects = NibRegistry::framework().load("TitleBar", NibOwner(*bar));
  ASSERT_EQ(objects.size(), 1u);
  EXPECT_EQ(std::get<std::shared_ptr<View>>(objects[0]), bar->content);
  auto title = bar->title.lock();
  ASSERT_TRUE(title);
  EXPECT_EQ(title->textColor(), Color(1, 0, 0));
  ASSERT_TRUE(bar->width);
  bar->width->setConstant(48);
  bar->content->layoutIfNeeded();
  EXPECT_EQ(title->frame().width(), 48);

  // Without an owner the same nib still makes its views.
  auto loose = NibRegistry::framework().instantiate<View>("TitleBar");
  ASSERT_TRUE(loose);
  EXPECT_EQ(loose->subviews().size(), 1u);
}

TEST_F(NibRegistryTest, AThrowingBuilderLoadsNothing) {
  NibRegistry::framework().registerNib("TitleBar", [](const NibOwner&) -> std::vector<NibObject> {
    throw std::runtime_error("broken nib");
  });
  EXPECT_TRUE(NibRegistry::framework().load("TitleBar").empty());
  EXPECT_FALSE(NibRegistry::framework().instantiate<View>("TitleBar"));
}

}  // namespace
}  // namespace ui
