#include "velkor/appearance/velkor_color_scheme.h"

namespace velkor {
namespace {

#define OWN ""
#define NONE ""
#define VELKOR_COLOR_ROW(name, Name, way, key, group, ...)                                       \
  ColorMember{#name, ColorWay::way,                                                             \
              ColorWay::way == ColorWay::stored || ColorWay::way == ColorWay::optionalBacked     \
                  ? std::string_view()                                                          \
                  : std::string_view(*key ? key : #name),                                       \
              group, []([[maybe_unused]] const VelkorColorScheme& s) -> ui::Color { return __VA_ARGS__; }},
const ColorMember kMembers[] = {
    VELKOR_COLOR_MEMBERS_BEFORE_TAB_HIGHLIGHT(VELKOR_COLOR_ROW)
    ColorMember{"tabHighlightColor", ColorWay::stored, {}, {}, nullptr},
    VELKOR_COLOR_MEMBERS_AFTER_TAB_HIGHLIGHT(VELKOR_COLOR_ROW)
};
#undef VELKOR_COLOR_ROW
#undef NONE
#undef OWN

static_assert(std::size(kMembers) == VelkorColorScheme::kMemberCount);

}  // namespace

std::span<const ColorMember> VelkorColorScheme::members() { return kMembers; }

const ColorMember& VelkorColorScheme::member(Member which) { return kMembers[static_cast<std::size_t>(which)]; }

VelkorColorScheme::VelkorColorScheme() {
  for (std::size_t i = 0; i < kMemberCount; ++i) {
    if (kMembers[i].way == ColorWay::stored && kMembers[i].fallback) slots_[i] = kMembers[i].fallback(*this);
  }
}

std::optional<ui::Color> VelkorColorScheme::slot(Member which) const {
  std::lock_guard guard(mutex_);
  return slots_[static_cast<std::size_t>(which)];
}

std::optional<ui::Color> VelkorColorScheme::overrideColor(std::string_view key) const {
  std::lock_guard guard(mutex_);
  auto found = dictionary_.find(key);
  if (found == dictionary_.end()) return std::nullopt;
  return found->second;
}

ui::Color VelkorColorScheme::color(Member which) const {
  const ColorMember& row = member(which);
  std::optional<ui::Color> found;
  switch (row.way) {
    case ColorWay::stored:
    case ColorWay::optionalBacked: found = slot(which); break;
    case ColorWay::group: found = overrideColor(row.key); if (!found) found = overrideColor(row.groupKey); break;
    case ColorWay::override:
    case ColorWay::ownRule: found = overrideColor(row.key); break;
  }
  if (found) return *found;
  return row.fallback ? row.fallback(*this) : ui::Color::clear();
}

void VelkorColorScheme::setColor(Member which, const ui::Color& newColor) {
  const ColorMember& row = member(which);
  std::lock_guard guard(mutex_);
  if (row.key.empty()) {
    slots_[static_cast<std::size_t>(which)] = newColor;
  } else {
    dictionary_.insert_or_assign(std::string(row.key), newColor);
  }
}

std::optional<ui::Color> VelkorColorScheme::tabHighlightColor() const { return slot(Member::tabHighlightColor); }

void VelkorColorScheme::setTabHighlightColor(std::optional<ui::Color> newColor) {
  std::lock_guard guard(mutex_);
  slots_[static_cast<std::size_t>(Member::tabHighlightColor)] = std::move(newColor);
}

}  // namespace velkor
