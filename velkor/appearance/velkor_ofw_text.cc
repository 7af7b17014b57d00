#include "velkor/appearance/velkor_ofw_text.h"

#include <mutex>
#include <strings.h>
#include <vector>

#include "platform/ui/font_manager.h"

namespace velkor {
namespace {

// The descriptions live for the process; the host sets them on the main thread, and the lock
// keeps a set from another thread from racing a screen's read.
struct Fonts {
  std::mutex mutex;
  std::vector<OfwFont> slots{
#define VELKOR_OFW_TEXT_INITIAL(name, Name, weight) OfwFont::system(ui::FontWeight::weight),
      VELKOR_OFW_TEXT_FONTS(VELKOR_OFW_TEXT_INITIAL)
#undef VELKOR_OFW_TEXT_INITIAL
  };
};

Fonts& fonts() {
  static Fonts* instance = new Fonts;
  return *instance;
}

}  // namespace

OfwFont VelkorOfwText::font(Slot slot) {
  std::lock_guard guard(fonts().mutex);
  return fonts().slots[static_cast<std::size_t>(slot)];
}

void VelkorOfwText::setFont(Slot slot, OfwFont newFont) {
  std::lock_guard guard(fonts().mutex);
  fonts().slots[static_cast<std::size_t>(slot)] = std::move(newFont);
}

void VelkorOfwText::setRegularFont(std::string fontName) { setFont(Slot::regularFont, OfwFont(std::move(fontName))); }
void VelkorOfwText::setMediumFont(std::string fontName) { setFont(Slot::mediumFont, OfwFont(std::move(fontName))); }
void VelkorOfwText::setSemiBoldFont(std::string fontName) { setFont(Slot::semiBoldFont, OfwFont(std::move(fontName))); }
void VelkorOfwText::setBoldFont(std::string fontName) { setFont(Slot::boldFont, OfwFont(std::move(fontName))); }

std::optional<base::Error> VelkorOfwText::registerFrom(const std::filesystem::path& file) {
  return ui::font_manager::registerFont(file);
}

std::optional<base::Error> VelkorOfwText::registerFrom(const base::Url& url) {
  const auto& scheme = url.scheme();
  const auto host = url.host();
  if (!scheme || strcasecmp(scheme->c_str(), "file") != 0 || (host && !host->empty() && *host != "localhost")) {
    return base::Error{ui::kFontManagerErrorDomain, static_cast<long>(ui::FontManagerError::fileNotFound),
                       "Font URL is not a file URL: " + url.absoluteString()};
  }
  return registerFrom(std::filesystem::path(url.path()));
}

}  // namespace velkor
