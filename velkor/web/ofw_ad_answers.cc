#include "velkor/web/ofw_ad_answers.h"

#include <algorithm>
#include <limits>

#include "platform/base/log.h"
#include "velkor/core/native_ad_loader.h"
#include "velkor/core/text_replace.h"
#include "velkor/offerwall/list/ad_ordering.h"
#include "velkor/core/velkor_internal.h"
#include "velkor/web/script_message_body.h"

namespace velkor {
namespace {

bool sameId(const Ad& a, const Ad& b) { return a.id == b.id; }

bool holdsId(const std::vector<Ad>& ads, const Ad& ad) {
  return std::any_of(ads.begin(), ads.end(), [&](const Ad& other) { return sameId(other, ad); });
}

bool hasAnyTag(const Ad& ad, const std::set<std::int64_t>& tagIds) {
  return std::any_of(ad.tagIds.begin(), ad.tagIds.end(), [&](std::int64_t id) { return tagIds.contains(id); });
}

// Ads of a list by address, so that choosing among a long list copies only the ads answered.
using AdPointers = std::vector<const Ad*>;

std::vector<Ad> copies(AdPointers::const_iterator begin, AdPointers::const_iterator end) {
  std::vector<Ad> ads;
  ads.reserve(static_cast<std::size_t>(end - begin));
  for (auto at = begin; at != end; ++at) ads.push_back(**at);
  return ads;
}

// Page `page` of `filtered`, or none when the page lies past the list (or past any list: a
// start beyond the integer range).
std::vector<Ad> pageOf(const AdPointers& filtered, std::size_t size, std::int64_t page) {
  const std::uint64_t count = filtered.size();
  std::uint64_t start = 0;
  std::uint64_t end = 0;
  if (page > 0 && __builtin_mul_overflow(static_cast<std::uint64_t>(size), static_cast<std::uint64_t>(page - 1), &start)) {
    return {};
  }
  if (__builtin_mul_overflow(static_cast<std::uint64_t>(size), static_cast<std::uint64_t>(std::max<std::int64_t>(page, 0)), &end)) {
    end = count;
  }
  end = std::min(end, count);
  if (end <= start) return {};
  return copies(filtered.begin() + static_cast<std::ptrdiff_t>(start), filtered.begin() + static_cast<std::ptrdiff_t>(end));
}

}  // namespace

bool isSelectable(const Ad& ad) { return isEligibleNativeAd(ad); }

std::vector<Ad> excludingUsedAds(const std::vector<Ad>& ads, const std::vector<Ad>& usedAds) {
  std::vector<Ad> kept;
  std::copy_if(ads.begin(), ads.end(), std::back_inserter(kept), [&](const Ad& ad) { return !holdsId(usedAds, ad); });
  return kept;
}

std::set<std::int64_t> requestedTagIds(const nlohmann::json& options, const std::vector<Tab>& tabs) {
  auto tags = options.is_object() ? options.find("tags") : options.end();
  if (!options.is_object() || tags == options.end() || !tags->is_array()) return {};
  const auto isText = [](const nlohmann::json& tag) { return tag.is_string(); };
  // One value that is no text makes the whole option unusable, as any other wrong type does.
  if (!std::all_of(tags->begin(), tags->end(), isText)) return {};
  return tagIdsForSlugs(tags->get<std::vector<std::string>>(), tabs);
}

std::size_t boundedSize(std::int64_t size) {
  if (size > kMaxAnswerSize) {
    base::logError("A web page asked for " + std::to_string(size) + " ads; it gets " +
                   std::to_string(kMaxAnswerSize));
    return kMaxAnswerSize;
  }
  return static_cast<std::size_t>(std::max<std::int64_t>(size, 0));
}

std::vector<Ad> loadAdsAnswer(const std::vector<Ad>& ads, const std::set<std::int64_t>& tagIds, bool notPaginated,
                              std::int64_t size, std::int64_t page) {
  AdPointers selectable;
  for (const Ad& ad : ads) {
    if (isSelectable(ad)) selectable.push_back(&ad);
  }
  AdPointers filtered;
  std::copy_if(selectable.begin(), selectable.end(), std::back_inserter(filtered),
               [&](const Ad* ad) { return tagIds.empty() || hasAnyTag(*ad, tagIds); });
  const std::size_t wanted = boundedSize(size);
  if (!notPaginated) return pageOf(filtered, wanted, page);
  AdPointers answer(filtered.begin(), filtered.begin() + static_cast<std::ptrdiff_t>(std::min(wanted, filtered.size())));
  // A short list is topped up from the start of the list before the tag filter, repeats included.
  for (std::size_t i = 0; filtered.size() + i < wanted && i < selectable.size(); ++i) answer.push_back(selectable[i]);
  return copies(answer.begin(), answer.end());
}

std::vector<Ad> placementAnswer(const std::vector<Ad>& placementAds, const std::vector<Ad>& usedAds,
                                std::size_t size) {
  std::vector<Ad> candidates = excludingUsedAds(selectableAds(placementAds), usedAds);
  sortByPriority(candidates);
  if (candidates.size() > size) candidates.resize(size);
  return candidates;
}

std::vector<Ad> autofill(const std::vector<Ad>& selectableGeneralAds, const std::vector<Ad>& usedAds,
                         std::size_t wanted) {
  std::vector<Ad> added;
  for (const Ad& ad : selectableGeneralAds) {
    if (added.size() >= wanted) break;
    if (!holdsId(usedAds, ad) && !holdsId(added, ad)) added.push_back(ad);
  }
  return added;
}

nlohmann::json adDictionary(const Ad& ad, const nlohmann::json& options) {
  nlohmann::json object = {
      {"id", ad.id},
      {"title", ad.attributedTitle().string()},
      {"subtitle", ad.attributedSubtitleShort().string()},
      {"thumb_image", ad.thumbOriginImage},
  };
  if (ad.iconImage) object["icon_image"] = replacingOccurrences(*ad.iconImage, ".webp", ".jpg");
  object["reward"] = ad.reward;
  if (auto inventory = bodyText(options, "inventory")) object["inventory"] = *inventory;
  return object;
}

std::string answerText(const std::vector<Ad>& ads, const nlohmann::json& options) {
  const auto inventory = bodyText(options, "inventory");
  auto list = nlohmann::json::array();
  for (const Ad& ad : ads) {
    list.push_back(adDictionary(ad, options));
    VelkorInternal::shared().recordVisibleItem(inventory, ad.id);
  }
  try {
    return list.dump();
  } catch (const nlohmann::json::exception& error) {
    base::console(error.what());
    return "[]";
  }
}

}  // namespace velkor
