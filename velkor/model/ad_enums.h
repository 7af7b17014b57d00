// The integer codes the servers use in ad, banner and popup records. Ads keep most of them as raw
// integers (an unknown code must not break an ad) and read them through these enumerations; banners
// and popups decode ShowStatus directly, and every ad decodes LandingType directly.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/base/json_enum.h"

namespace velkor {

// Who may see an ad, banner or popup.
enum class ShowStatus : std::int64_t { testOnly = -1, normal = 0, completedOnly = 1 };

// This user's participation state of an ad.
enum class AdStatus : std::int64_t { none = -1, normal = 0, exceedTimeCap = 1, end = 2 };

// What the ad asks the user to do; `none` is a case, not the absence of one.
enum class AdActionType : std::int64_t { none = 0, web = 1, app = 2 };

// Where the ad's landing page opens.
enum class LandingType : std::int64_t { external = 0, inAppBrowser = 1 };

}  // namespace velkor

template <>
struct base::JsonEnum<velkor::ShowStatus> {
  static constexpr std::string_view name = "ShowStatus";
  static constexpr velkor::ShowStatus cases[] = {velkor::ShowStatus::testOnly, velkor::ShowStatus::normal,
                                                 velkor::ShowStatus::completedOnly};
};

template <>
struct base::JsonEnum<velkor::AdStatus> {
  static constexpr std::string_view name = "AdStatus";
  static constexpr velkor::AdStatus cases[] = {velkor::AdStatus::none, velkor::AdStatus::normal,
                                               velkor::AdStatus::exceedTimeCap, velkor::AdStatus::end};
};

template <>
struct base::JsonEnum<velkor::AdActionType> {
  static constexpr std::string_view name = "AdActionType";
  static constexpr velkor::AdActionType cases[] = {velkor::AdActionType::none, velkor::AdActionType::web,
                                                   velkor::AdActionType::app};
};

template <>
struct base::JsonEnum<velkor::LandingType> {
  static constexpr std::string_view name = "LandingType";
  static constexpr velkor::LandingType cases[] = {velkor::LandingType::external, velkor::LandingType::inAppBrowser};
};
