#include "velkor/components/remote_image.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dispatch/main_loop.h"
#include "tools/mock-server/images.h"
#include "tools/mock-server/mock_server.h"

namespace velkor {
namespace {

using namespace std::chrono_literals;

std::span<const std::uint8_t> bytesOf(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// A main loop and an image server of the test's own; its base URL keeps the process-wide cache
// from answering for another test.
class RemoteImageTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.start()) << server_.error(); }
  base::Url url(const std::string& path) const { return *base::Url::parse(server_.baseUrl() + path); }
  // Loads into the view and records every image the completion receives.
  void load(const std::shared_ptr<ui::ImageView>& view, const std::string& path, std::vector<ui::Image>& received) {
    setImage(view, url(path), [&received](const ui::Image& image) { received.push_back(image); });
  }
  static bool runUntilCount(const std::vector<ui::Image>& received, std::size_t count) {
    return dispatch::main_loop::runUntil([&] { return received.size() >= count; }, 20s);
  }
  dispatch::main_loop::TestScope mainLoop_;
  mock::MockServer server_{"IMAGES"};
};

TEST_F(RemoteImageTest, OnlyAPlainImageAnswerReachesTheView) {
  struct Case {
    const char* name;
    const char* path;
    std::optional<mock::Fault> fault;
    std::optional<ui::Size> size;  // none: the load must end without an image
  };
  const std::vector<Case> cases = {
      {"png", "/images/a_40x30.png", std::nullopt, ui::Size{40, 30}},
      {"jpeg", "/images/b_20x10.jpg", std::nullopt, ui::Size{20, 10}},
      {"webp", "/images/c_16x12.webp", std::nullopt, ui::Size{16, 12}},
      {"html with 200", "/images/d.png",
       mock::Fault{}.withBody("<html><body>gone</body></html>").withContentType("text/html"), std::nullopt},
      {"404", "/images/e.gif", std::nullopt, std::nullopt},
      {"image type with 404", "/images/f.png", mock::Fault{}.withStatus(404), std::nullopt},
      // A success other than 200 is refused too, though its body is a good picture.
      {"picture with 203", "/images/h.png", mock::Fault{}.withStatus(203), std::nullopt},
      {"picture with 206", "/images/i.png", mock::Fault{}.withStatus(206), std::nullopt},
      {"picture under a wrong type", "/images/g.png", mock::Fault{}.withContentType("application/octet-stream"),
       std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.fault) server_.setFault(mock::Route::image, *c.fault);
    auto view = std::make_shared<ui::ImageView>();
    std::vector<ui::Image> received;
    load(view, c.path, received);
    if (c.size) {
      ASSERT_TRUE(runUntilCount(received, 1));
      ASSERT_TRUE(view->image());
      EXPECT_TRUE(view->image()->isSameImage(received[0]));
      EXPECT_EQ(view->image()->size(), *c.size);
      continue;
    }
    // Nothing negative is cached: the same URL, answered properly now (a fault answers once), goes to the server again and
    // arrives; the failed load never called its completion.
    ASSERT_TRUE(server_.log().waitFor(c.path, 1, 10s));
    auto retry = std::make_shared<ui::ImageView>();
    std::vector<ui::Image> retried;
    load(retry, c.path, retried);
    ASSERT_TRUE(server_.log().waitFor(c.path, 2, 10s));
    if (std::string(c.path).ends_with(".png")) {
      ASSERT_TRUE(runUntilCount(retried, 1));
    }
    dispatch::main_loop::runUntil([] { return false; }, 100ms);
    EXPECT_TRUE(received.empty());
    EXPECT_FALSE(view->image());
  }
}

TEST_F(RemoteImageTest, ACachedPictureLandsOnALaterTurnWithoutAnotherRequest) {
  auto first = std::make_shared<ui::ImageView>();
  std::vector<ui::Image> received;
  load(first, "/images/cached_8x8.webp", received);
  ASSERT_TRUE(runUntilCount(received, 1));

  auto second = std::make_shared<ui::ImageView>(received[0]);
  load(second, "/images/cached_8x8.webp", received);
  EXPECT_FALSE(second->image()) << "cleared at once, set only on a later turn";
  dispatch::main_loop::drain();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_TRUE(received[1].isSameImage(received[0]));
  ASSERT_TRUE(second->image());
  EXPECT_TRUE(second->image()->isSameImage(received[0]));
  EXPECT_EQ(server_.log().entries("/images/cached_8x8.webp").size(), 1u);

  // The button variant is deliberately without effect: no image, no request.
  ui::Button button;
  setImage(button, url("/images/cached_8x8.webp"));
  dispatch::main_loop::drain();
  EXPECT_FALSE(button.image(ui::ControlState::normal));
  EXPECT_EQ(server_.log().entries("/images/cached_8x8.webp").size(), 1u);
}

TEST_F(RemoteImageTest, AReusedViewShowsItsLatestPictureWhenAnOlderLoadEndsLast) {
  auto view = std::make_shared<ui::ImageView>();
  view->setTag(7);
  server_.setFault(mock::Route::image, mock::Fault{}.withDelay(300ms));
  std::vector<ui::Image> fromA, fromB;
  load(view, "/images/a_10x10.png", fromA);
  ASSERT_TRUE(server_.log().waitFor("/images/a_10x10.png", 1, 10s)) << "A takes the delay";
  load(view, "/images/b_20x20.png", fromB);
  ASSERT_TRUE(runUntilCount(fromB, 1));
  EXPECT_TRUE(fromA.empty()) << "A was meant to end last";
  ASSERT_TRUE(runUntilCount(fromA, 1));

  ASSERT_TRUE(view->image());
  EXPECT_TRUE(view->image()->isSameImage(fromB[0]));
  EXPECT_EQ(view->tag(), 7);
  // A still filled the cache: a new load of it asks the server nothing.
  auto other = std::make_shared<ui::ImageView>();
  load(other, "/images/a_10x10.png", fromA);
  dispatch::main_loop::drain();
  ASSERT_EQ(fromA.size(), 2u);
  EXPECT_TRUE(fromA[1].isSameImage(fromA[0]));
  EXPECT_EQ(server_.log().entries("/images/a_10x10.png").size(), 1u);
}

TEST_F(RemoteImageTest, AViewFreedDuringItsLoadIsSkippedButTheCompletionRuns) {
  auto view = std::make_shared<ui::ImageView>();
  std::vector<ui::Image> received;
  load(view, "/images/freed_4x4.png", received);
  view.reset();
  ASSERT_TRUE(runUntilCount(received, 1));
  EXPECT_EQ(received[0].size(), (ui::Size{4, 4}));
}

TEST(RemoteImageDecodingTest, WebPDecodesWhereThePlatformDecoderRefuses) {
  const auto webp = mock::renderImage("w_40x30.webp");
  ASSERT_TRUE(webp);
  EXPECT_FALSE(ui::Image::fromData(bytesOf(webp->bytes)));
  const auto decoded = parseToImage(bytesOf(webp->bytes));
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->pixelWidth(), 40);
  EXPECT_EQ(decoded->pixelHeight(), 30);
  EXPECT_EQ(decoded->pixel(1, 1)[3], 255) << "an opaque picture stays opaque";
  const std::string junk("RIFF\x10\0\0\0WEBPVP8 junk", 20);
  EXPECT_FALSE(parseToImage(bytesOf(junk)));
  EXPECT_FALSE(parseToImage(bytesOf(webp->bytes.substr(0, webp->bytes.size() / 2))));
}

}  // namespace
}  // namespace velkor
