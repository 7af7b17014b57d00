#include "platform/ui/button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/platform/ui/test_views.h"

namespace ui {
namespace {

Image solidImage(int width, int height, double scale = 1) {
  return *Image::fromRgba(width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4, 200),
                          scale);
}

Size textSize(const std::string& text, const Font& font) {
  TextStyle style;
  style.font = font;
  return TextLayout(base::AttributedString(text), style).ceiledSize();
}

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
  const Image normalImage = solidImage(4, 4), highlightedImage = solidImage(6, 6);
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

TEST(ButtonTest, AttributedTitleWinsOverThePlainOne) {
  Button button;
  button.setTitle("plain", ControlState::normal);
  base::Attributes red;
  red.foregroundColor = Color(1, 0, 0).toColorDescription();
  button.setAttributedTitle(base::AttributedString("rich", red), ControlState::selected);
  EXPECT_EQ(button.titleLabel()->text(), "plain");
  button.setSelected(true);
  EXPECT_EQ(button.titleLabel()->text(), "rich");
  EXPECT_EQ(button.titleLabel()->attributedText().attributes(0).foregroundColor, red.foregroundColor);
  button.setSelected(false);
  EXPECT_EQ(button.titleLabel()->text(), "plain");
}

TEST(ButtonTest, NaturalSizeAndLayoutFollowTheInsets) {
  auto button = std::make_shared<Button>();
  button->setTitle("더보기", ControlState::normal);
  const Size title = textSize("더보기", Font::systemFont(15));
  EXPECT_EQ(button->titleLabel()->font(), Font::systemFont(15));
  EXPECT_EQ(button->titleLabel()->lineBreakMode(), LineBreakMode::byTruncatingMiddle);
  EXPECT_EQ(button->intrinsicContentSize(), title);

  button->setImage(solidImage(40, 40, 2), ControlState::normal);  // 20 × 20 points
  button->setContentEdgeInsets({1, 0, 0, 0});
  button->setTitleEdgeInsets({2, 5, 2, 9});  // moves the title, not the natural size
  EXPECT_EQ(button->intrinsicContentSize(), (Size{20 + title.width, std::max(20.0, title.height) + 1}));

  button->setFrame({0, 0, 120, 41});
  button->layoutIfNeeded();
  // Content 120 × 40 below the 1-point inset; image box 20, title box title + 14, centred together.
  const double left = (120 - 20 - (title.width + 14)) / 2;
  EXPECT_EQ(button->imageView()->frame(), (Rect{left, 1 + 10, 20, 20}));
  EXPECT_EQ(button->titleLabel()->frame(), (Rect{left + 20 + 5, 1 + 2 + (36 - title.height) / 2, title.width, title.height}));

  // A title wider than its room is cut to it.
  button->setTitle("아주 긴 버튼 제목을 여기에 씁니다", ControlState::normal);
  button->layoutIfNeeded();
  EXPECT_LE(button->titleLabel()->frame().maxX(), 120 - 9 + 1e-9);
  EXPECT_GE(button->imageView()->frame().x(), 0);
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

TEST(ButtonTest, TargetsClosuresAndTheirRemoval) {
  auto button = std::make_shared<Button>();
  std::vector<std::string> calls;
  int screen = 0, other = 0;
  button->addTarget(&screen, [&](Control& sender) {
    EXPECT_EQ(&sender, button.get());
    calls.push_back("screen");
  }, ControlEvent::touchUpInside);
  button->addTarget(&other, [&](Control&) { calls.push_back("other"); }, ControlEvent::allEvents);
  button->addAction(ControlEvent::touchUpInside, [&] { calls.push_back("closure 1"); });
  button->addAction(ControlEvent::touchUpInside, [&] { calls.push_back("closure 2"); });

  button->sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(calls, (std::vector<std::string>{"screen", "other", "closure 1", "closure 2"}));
  calls.clear();
  button->sendActions(ControlEvent::touchDown);
  EXPECT_EQ(calls, (std::vector<std::string>{"other"}));

  // One target's actions go; the others stay.
  button->removeTarget(&screen, ControlEvent::allEvents);
  calls.clear();
  button->sendActions(ControlEvent::touchUpInside);
  EXPECT_EQ(calls, (std::vector<std::string>{"other", "closure 1", "closure 2"}));
  EXPECT_EQ(button->allTargets().size(), 3u);

  // No target, all events: every action goes, closures too.
  button->removeTarget(nullptr, ControlEvent::allEvents);
  calls.clear();
  button->sendActions(ControlEvent::touchUpInside);
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(button->allTargets().empty());
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

TEST(ButtonTest, HitTestingReachesTheButtonNotItsLabel) {
  auto root = std::make_shared<View>(Rect{0, 0, 200, 100});
  auto button = std::make_shared<Button>(Rect{10, 10, 100, 40});
  button->setTitle("탭", ControlState::normal);
  root->addSubview(button);
  root->layoutIfNeeded();
  EXPECT_EQ(root->hitTest({60, 30}), button);
  EXPECT_FALSE(button->isExclusiveTouch());
  button->setExclusiveTouch(true);
  EXPECT_TRUE(button->isExclusiveTouch());
}

}  // namespace
}  // namespace ui
