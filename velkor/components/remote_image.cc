#include "velkor/components/remote_image.h"

#include <webp/decode.h>
#include <webp/types.h>

#include <climits>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/dispatch/queue.h"
#include "platform/net/session.h"

namespace velkor {
namespace {

// Main-thread state of every load. Each load takes the next number; a view's entry holds the number
// of its latest load, so an older load that ends later never lands in a view reused for another URL.
// Numbers are never reused, so neither is an entry that outlived its view (a freed view's address
// may come back for a new view).
struct Loads {
  std::unordered_map<std::string, ui::Image> cache;  // by the URL's absolute text; never emptied
  std::unordered_map<const ui::ImageView*, std::uint64_t> latest;
  std::uint64_t lastNumber = 0;
};

Loads& loads() {
  static Loads* state = new Loads;
  return *state;
}

const std::shared_ptr<net::Session>& imageSession() {
  static const auto* session = new std::shared_ptr<net::Session>(net::Session::make());
  return *session;
}

struct Load {
  std::weak_ptr<ui::ImageView> view;
  const ui::ImageView* key;
  std::uint64_t number;
  std::string url;
  RemoteImageCompletion completion;
};

// On the main thread, once per load whatever its outcome, so the completion (and what it holds) is
// also let go there.
void finish(Load& load, const std::optional<ui::Image>& image, bool fromNetwork) {
  auto& state = loads();
  const auto entry = state.latest.find(load.key);
  const bool isLatest = entry != state.latest.end() && entry->second == load.number;
  if (isLatest) state.latest.erase(entry);
  if (!image) return;
  if (auto view = load.view.lock(); view && isLatest) view->setImage(*image);
  if (fromNetwork) state.cache.emplace(load.url, *image);
  if (load.completion) load.completion(*image);
}

// Only a plain 200 answer of an image type with a body counts.
bool isImageAnswer(const net::Data& data, const std::optional<net::Response>& response,
                   const std::optional<net::Error>& error) {
  if (!response || response->statusCode() != 200) return false;
  const auto mimeType = response->mimeType();
  return mimeType && mimeType->starts_with("image") && data && !error;
}

std::span<const std::uint8_t> bytesOf(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

void fetch(const base::Url& url, Load load) {
  auto task = imageSession()->dataTask(
      net::Request(url), [load = std::move(load)](net::Data data, std::optional<net::Response> response,
                                                  std::optional<net::Error> error) mutable {
        std::optional<ui::Image> image;
        if (isImageAnswer(data, response, error)) image = parseToImage(bytesOf(*data));
        dispatch::main()->async([load = std::move(load), image = std::move(image)]() mutable {
          finish(load, image, true);
        });
      });
  task->resume();
}

// A pixel buffer's length, or none when width × height × 4 does not fit a signed 32-bit count.
std::optional<std::size_t> rgbaLength(int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  const long long length = 4LL * width * height;
  if (length > INT_MAX) return std::nullopt;
  return static_cast<std::size_t>(length);
}

}  // namespace

void setImage(const std::shared_ptr<ui::ImageView>& view, const base::Url& url, RemoteImageCompletion completion) {
  setImage(view, url, std::nullopt, std::move(completion));
}

void setImage(const std::shared_ptr<ui::ImageView>& view, const base::Url& url, std::optional<ui::Image> placeholder,
              RemoteImageCompletion completion) {
  if (!view) return;
  view->setImage(std::move(placeholder));
  auto& state = loads();
  Load load{view, view.get(), ++state.lastNumber, url.absoluteString(), std::move(completion)};
  state.latest[load.key] = load.number;
  if (const auto hit = state.cache.find(load.url); hit != state.cache.end()) {
    // Even a hit lands on a later turn of the main loop, never inside this call.
    dispatch::main()->async([load = std::move(load), image = hit->second]() mutable { finish(load, image, false); });
    return;
  }
  fetch(url, std::move(load));
}

void setImage(ui::Button& button, const base::Url& url) {
  (void)button;
  (void)url;
}

std::optional<ui::Image> parseToImage(std::span<const std::uint8_t> data) {
  if (auto image = ui::Image::fromData(data)) return image;
  return decodeWebPImage(data);
}

std::optional<ui::Image> decodeWebPImage(std::span<const std::uint8_t> data) {
  int width = 0, height = 0;
  if (data.empty() || !WebPGetInfo(data.data(), data.size(), &width, &height)) return std::nullopt;
  const auto length = rgbaLength(width, height);
  if (!length) return std::nullopt;
  // The decoder allocates the pixels; the holder frees them once, whatever happens below.
  const std::unique_ptr<std::uint8_t, void (*)(void*)> pixels(
      WebPDecodeRGBA(data.data(), data.size(), &width, &height), &WebPFree);
  if (!pixels || rgbaLength(width, height) != length) return std::nullopt;
  return ui::Image::fromRgba(width, height, std::vector<std::uint8_t>(pixels.get(), pixels.get() + *length));
}

}  // namespace velkor
