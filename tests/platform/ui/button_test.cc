#include "platform/ui/button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/ui/test_views.h"

namespace ui {
namespace {

// A chip that restyles itself whenever its state changes, as tag chips do.
class Chip : public Button {
 public:
  std::vector<std::string> restyles;
  void setHighlighted(bool highlighted) override {
    Button::setHighlighted(highlighted);
    restyles.push_back(highlighted ? "highlighted" : "plain");
  }
  void setSelected(bool selected) override {
    Button::setSelected(selected);
    restyles.push_back(selected ? "selected" : "unselected");
  }
};

TEST(ButtonTest, StatesFallBackToNormal) {
  Button button;
  button.setTitle("참여하기", ControlState::normal);
  button.setTitle("선택됨", ControlState::selected);
  button.setTitleColor(Color::gray(), ControlState::disabled);
  const Image normalImage = testing::solidImage(4, 4), highlightedImage = testing::solidImage(6, 6);
  button.setImage(normalImage, ControlState::normal);
  button.setImage(highlightedImage, ControlState::highlighted);

  const struct {
    bool enabled, selected, highlighted;
    const char* title;
    Color color;
    const Image* image;
  } cases[] = {
      {true, false, false, "참여하기", Color::white(), &normalImage},
      {true, true, false, "선택됨", Color::white(), &normalImage},
      {true, false, true, "참여하기", Color::white(), &highlightedImage},
      // A combined state without its own values shows the normal ones.
      {true, true, true, "참여하기", Color::white(), &normalImage},
      {false, false, false, "참여하기", Color::gray(), &normalImage},
  };
  for (const auto& c : cases) {
    button.setEnabled(c.enabled);
    button.setSelected(c.selected);
    button.setHighlighted(c.highlighted);
    EXPECT_EQ(button.currentTitle(), c.title);
    EXPECT_EQ(button.titleLabel()->text(), c.title);
    EXPECT_EQ(button.titleLabel()->textColor(), c.color) << c.title;
    ASSERT_TRUE(button.imageView()->image());
    EXPECT_TRUE(button.imageView()->image()->isSameImage(*c.image));
  }
  // Clearing a state's own value falls back again.
  button.setEnabled(true);
  button.setSelected(true);
  button.setHighlighted(false);
  button.setTitle(std::nullopt, ControlState::selected);
  EXPECT_EQ(button.titleLabel()->text(), "참여하기");
}

TEST(ButtonTest, TouchesHighlightAndSendEvents) {
  auto chip = std::make_shared<Chip>();
  chip->setFrame({0, 0, 80, 30});
  std::vector<std::string> events;
  int target = 0;
  chip->addTarget(&target, [&](Control&) { events.push_back("down"); }, ControlEvent::touchDown);
  chip->addTarget(&target, [&](Control&) { events.push_back("up inside"); }, ControlEvent::touchUpInside);
  chip->addTarget(&target, [&](Control&) { events.push_back("up outside"); }, ControlEvent::touchUpOutside);
  chip->addTarget(&target, [&](Control&) { events.push_back("cancel"); }, ControlEvent::touchCancel);

  chip->touchBegan({10, 10});
  EXPECT_TRUE(chip->isHighlighted());
  chip->touchMoved({200, 10});  // dragged out: no longer highlighted
  EXPECT_FALSE(chip->isHighlighted());
  chip->touchMoved({20, 10});
  EXPECT_TRUE(chip->isHighlighted());
  chip->touchEnded({20, 10});
  EXPECT_FALSE(chip->isHighlighted());
  EXPECT_EQ(events, (std::vector<std::string>{"down", "up inside"}));
  EXPECT_EQ(chip->restyles, (std::vector<std::string>{"highlighted", "plain", "highlighted", "plain"}));

  events.clear();
  chip->touchBegan({10, 10});
  chip->touchEnded({10, 100});
  chip->touchBegan({10, 10});
  chip->touchCancelled();
  EXPECT_EQ(events, (std::vector<std::string>{"down", "up outside", "down", "cancel"}));

  // Disabled controls ignore touches.
  events.clear();
  chip->setEnabled(false);
  chip->touchBegan({10, 10});
  chip->touchEnded({10, 10});
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(chip->isHighlighted());
}

TEST(ButtonTest, ActionsMayChangeTheTargetsWhileRunning) {
  auto button = std::make_shared<Button>();
  int runs = 0;
  button->addAction(ControlEvent::touchUpInside, [&] {
    ++runs;
    button->removeTarget(nullptr, ControlEvent::allEvents);
    button->addAction(ControlEvent::touchUpInside, [&] { runs += 10; });
  });
  button->sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(runs, 1);
  button->sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(runs, 11);
}

}  // namespace
}  // namespace ui
