// What the three row styles share to style their views: theme objects, named fonts with their
// fallback, text attributes and the framework's images.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/attributed_string.h"
#include "platform/ui/constraint.h"
#include "platform/ui/color.h"
#include "platform/ui/font.h"
#include "platform/ui/image.h"
#include "platform/ui/image_view.h"
#include "platform/ui/label.h"
#include "platform/ui/stack_view.h"
#include "velkor/model/ad.h"

namespace velkor {

class VelkorColorScheme;
class VelkorConfig;
class VelkorDimension;

// The SDK-wide theme as it stands now (the host may replace the objects at any time).
std::shared_ptr<VelkorColorScheme> currentColorScheme();
std::shared_ptr<VelkorDimension> currentDimension();
std::shared_ptr<VelkorConfig> currentConfig();

// The font of that name and size; the system font of that size and weight when none has the name.
ui::Font namedFont(std::string_view name, double size, ui::FontWeight fallbackWeight);
// "AppleSDGothicNeo-Bold" / "-Regular", else the system font of the same size and weight.
ui::Font gothicBold(double size);
ui::Font gothicRegular(double size);

base::Attributes textAttributes(const ui::Color& color, const ui::Font& font);

// A framework image by name; none when the bundle lacks it.
std::optional<ui::Image> bundleImage(std::string_view name);

// The character content of a template with its reward placeholders filled; an absent template
// reads as empty.
std::string plainText(const Ad& ad, const std::optional<std::string>& templateText);

// The information overlay's icon: "ico-info-completed" once the user took part, else "ico-info-timer".
std::optional<ui::Image> infoIcon(const Ad& ad);

// The information overlay's look, shared by the rows that have one: its background colour, the
// completed icon until the binding picks one, and a centred title of any length beside or under the
// icon (`axis`).
void styleInfoOverlay(ui::View& overlay, const ui::Color& background, ui::StackView& content, ui::ImageView& icon,
                      ui::Label& title, ui::LayoutAxis axis);

// The "new" mark after a row's title: shown inside `parent` under its constraints (made by `make` at
// its first showing, kept in `constraints` and activated again each time), or hidden and taken out of
// the tree, which drops the constraints that tie it to other views.
void setMarkLayout(const std::shared_ptr<ui::ImageView>& mark, bool isGone, const std::shared_ptr<ui::View>& parent,
                   std::vector<std::shared_ptr<ui::Constraint>>& constraints,
                   const std::function<std::vector<std::shared_ptr<ui::Constraint>>()>& make);

// Starts loading an ad's picture into the view; false (nothing started) when the text is no address.
bool loadAdImage(const std::shared_ptr<ui::ImageView>& view, std::string_view address);

}  // namespace velkor
