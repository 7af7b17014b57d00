#include <gtest/gtest.h>

#include "platform/render/window_snapshot.h"
#include "platform/ui/screen.h"
#include "platform/ui/window.h"
#include "tests/platform/web/web_testing.h"

namespace web::testing {
namespace {

std::array<int, 3> rgbAt(const ui::Image& image, int x, int y) {
  const std::uint8_t* p = image.pixel(x, y);
  return {p[0], p[1], p[2]};
}

// The window's snapshot draws the page where the web view is, at the web view's size, and follows
// the web view when its frame changes.
TEST_F(PlatformWebViewTest, AWindowsSnapshotDrawsThePageInTheWebViewsFrame) {
  auto window = std::make_shared<ui::Window>(ui::Rect{0, 0, 300, 200});
  window->setBackgroundColor(ui::Color::white());
  // Made without a size, as screens make theirs before layout gives them one.
  auto view = std::make_shared<WebView>();
  window->addSubview(view);
  view->setNavigationDelegate(recorder_);
  ASSERT_TRUE(loadAndWait(*view, "/pages/color.html?c=00ff00"));
  view->setFrame(ui::Rect{50, 40, 200, 100});

  auto image = render::snapshot(*window, 1.0);
  ASSERT_TRUE(image);
  EXPECT_EQ(rgbAt(*image, 150, 90), (std::array<int, 3>{0, 255, 0}));
  EXPECT_EQ(rgbAt(*image, 20, 20), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(rgbAt(*image, 260, 150), (std::array<int, 3>{255, 255, 255}));
  // The page is drawn at the screen's pixels per point.
  const int scale = static_cast<int>(ui::Screen::main().scale);
  ASSERT_TRUE(view->contentImage());
  EXPECT_EQ(view->contentImage()->pixelWidth(), 200 * scale);
  EXPECT_EQ(view->contentImage()->pixelHeight(), 100 * scale);

  view->setFrame(ui::Rect{0, 0, 120, 60});
  image = render::snapshot(*window, 1.0);
  ASSERT_TRUE(image);
  EXPECT_EQ(rgbAt(*image, 100, 50), (std::array<int, 3>{0, 255, 0}));
  EXPECT_EQ(rgbAt(*image, 150, 90), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(view->contentImage()->pixelWidth(), 120 * scale);
  EXPECT_EQ(view->contentImage()->pixelHeight(), 60 * scale);

  // What the page's script changes shows in the next snapshot.
  evaluate(*view, "document.body.style.background = '#0000ff'");
  image = render::snapshot(*window, 1.0);
  EXPECT_EQ(rgbAt(*image, 60, 30), (std::array<int, 3>{0, 0, 255}));
}

}  // namespace
}  // namespace web::testing
