// The fonts of the offerwall's text elements: process-wide descriptions, sized by the reader (as a
// rule with a VelkorDimension text size). The host can switch the four generic weights to a font of
// its own, replace any element's description, and register the font files it ships.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/base/error.h"
#include "platform/base/url.h"
#include "velkor/appearance/ofw_font.h"

namespace velkor {

// Every description once, in declaration order: X(property, Property, initial system weight).
#define VELKOR_OFW_TEXT_FONTS(X)                                    \
  X(navigationTitleFont, NavigationTitleFont, regular)              \
  X(tableHeaderTotalRewardTextFont, TableHeaderTotalRewardTextFont, regular) \
  X(tableHeaderOrderTextFont, TableHeaderOrderTextFont, medium)     \
  X(listItemTitleFont, ListItemTitleFont, regular)                  \
  X(listItemSubtitleFont, ListItemSubtitleFont, bold)               \
  X(tabItemTextFont, TabItemTextFont, bold)                         \
  X(tabItemDisabledTextFont, TabItemDisabledTextFont, regular)      \
  X(tagItemTextFont, TagItemTextFont, bold)                         \
  X(selectedTagItemTextFont, SelectedTagItemTextFont, bold)         \
  X(listItemRewardNameFont, ListItemRewardNameFont, regular)        \
  X(listItemRewardTextFont, ListItemRewardTextFont, bold)           \
  X(listItemCtaButtonTextFont, ListItemCtaButtonTextFont, bold)     \
  X(listItemCtaButtonTimerFont, ListItemCtaButtonTimerFont, regular) \
  X(detailTitleFont, DetailTitleFont, regular)                      \
  X(detailSubtitleFont, DetailSubtitleFont, regular)                \
  X(detailHeadTextFont, DetailHeadTextFont, regular)                \
  X(detailTextFont, DetailTextFont, regular)                        \
  X(detailCtaButtonTextFont, DetailCtaButtonTextFont, bold)         \
  X(errorMessageFont, ErrorMessageFont, medium)                     \
  X(errorDetailMessageFont, ErrorDetailMessageFont, medium)         \
  X(totalRewardTextFont, TotalRewardTextFont, regular)              \
  X(orderButtonTextFont, OrderButtonTextFont, medium)               \
  X(infoTitleTextFont, InfoTitleTextFont, bold)                     \
  X(infoTitleTimerTextFont, InfoTitleTimerTextFont, regular)        \
  X(regularFont, RegularFont, regular)                              \
  X(mediumFont, MediumFont, medium)                                 \
  X(semiBoldFont, SemiBoldFont, semibold)                           \
  X(boldFont, BoldFont, bold)

class VelkorOfwText {
 public:
  enum class Slot {
#define VELKOR_OFW_TEXT_ENUM(name, ...) name,
    VELKOR_OFW_TEXT_FONTS(VELKOR_OFW_TEXT_ENUM)
#undef VELKOR_OFW_TEXT_ENUM
  };

  static OfwFont font(Slot slot);
  static void setFont(Slot slot, OfwFont font);

#define VELKOR_OFW_TEXT_ACCESSORS(name, Name, ...)      \
  static OfwFont name() { return font(Slot::name); }    \
  static void set##Name(OfwFont newFont) { setFont(Slot::name, std::move(newFont)); }
  VELKOR_OFW_TEXT_FONTS(VELKOR_OFW_TEXT_ACCESSORS)
#undef VELKOR_OFW_TEXT_ACCESSORS

  // Switch one generic weight (never an element's font) to the named font.
  static void setRegularFont(std::string fontName);
  static void setMediumFont(std::string fontName);
  static void setSemiBoldFont(std::string fontName);
  static void setBoldFont(std::string fontName);

  // The generic weights, sized.
  static ui::Font regularFont(double ofSize) { return regularFont().instance(ofSize); }
  static ui::Font mediumFont(double ofSize) { return mediumFont().instance(ofSize); }
  static ui::Font semiBoldFont(double ofSize) { return semiBoldFont().instance(ofSize); }
  static ui::Font boldFont(double ofSize) { return boldFont().instance(ofSize); }

  // Registers a font file for the process; errors in ui::kFontManagerErrorDomain (missing or
  // unreadable file, not a font, already registered).
  static std::optional<base::Error> registerFrom(const std::filesystem::path& file);
  // The same for a "file:" URL; any other URL is a file that cannot be read.
  static std::optional<base::Error> registerFrom(const base::Url& url);
};

}  // namespace velkor
