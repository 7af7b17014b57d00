#include "velkor/core/velkor_config.h"

#include "velkor/core/pub_app_module.h"
#include "velkor/core/velkor_internal.h"

namespace velkor {
namespace {

template <class Enum>
std::optional<Enum> enumFromRawValue(long rawValue, long last) {
  if (rawValue < 0 || rawValue > last) return std::nullopt;
  return static_cast<Enum>(rawValue);
}

struct NibNames {
  std::mutex mutex;
  std::optional<std::string> list;
  // Outer none: not read nor set yet.
  std::optional<std::optional<std::string>> detail;
};

NibNames& nibNames() {
  static auto* names = new NibNames;
  return *names;
}

}  // namespace

std::optional<ListType> listTypeFromRawValue(long rawValue) {
  return enumFromRawValue<ListType>(rawValue, 2);
}

std::optional<ButtonType> buttonTypeFromRawValue(long rawValue) {
  return enumFromRawValue<ButtonType>(rawValue, 1);
}

std::optional<TabTextBoldType> tabTextBoldTypeFromRawValue(long rawValue) {
  return enumFromRawValue<TabTextBoldType>(rawValue, 2);
}

std::string VelkorConfig::offerwallListTitle() const {
  std::lock_guard lock(mutex_);
  return offerwallListTitle_;
}

void VelkorConfig::setOfferwallListTitle(std::string title) {
  std::lock_guard lock(mutex_);
  offerwallListTitle_ = std::move(title);
}

std::optional<std::string> VelkorConfig::totalRewardStr() const {
  std::lock_guard lock(mutex_);
  return totalRewardStr_;
}

void VelkorConfig::setTotalRewardStr(std::optional<std::string> text) {
  std::lock_guard lock(mutex_);
  totalRewardStr_ = std::move(text);
}

ui::UserInterfaceStyle VelkorConfig::overrideUserInterfaceStyle() const {
  return VelkorInternal::shared().userInterfaceStyle();
}

void VelkorConfig::setOverrideUserInterfaceStyle(ui::UserInterfaceStyle style) {
  VelkorInternal::shared().setUserInterfaceStyle(style);
}

std::optional<std::string> VelkorConfig::offerwallListViewControllerNibName() {
  std::lock_guard lock(nibNames().mutex);
  return nibNames().list;
}

void VelkorConfig::setOfferwallListViewControllerNibName(std::optional<std::string> name) {
  std::lock_guard lock(nibNames().mutex);
  nibNames().list = std::move(name);
}

std::optional<std::string> VelkorConfig::offerwallDetailViewControllerNibName() {
  auto& names = nibNames();
  {
    std::lock_guard lock(names.mutex);
    if (names.detail) return *names.detail;
  }
  // The module is the publisher's code: ask it outside the lock, so that it may read the nib
  // names itself. Two first readers ask the same module; the first to store wins.
  const auto module = VelkorInternal::shared().pubAppModule();
  auto fromModule = module ? module->ofwDetailViewControllerNibName() : std::nullopt;
  std::lock_guard lock(names.mutex);
  if (!names.detail) names.detail = std::move(fromModule);
  return *names.detail;
}

void VelkorConfig::setOfferwallDetailViewControllerNibName(std::optional<std::string> name) {
  std::lock_guard lock(nibNames().mutex);
  nibNames().detail = std::move(name);
}

}  // namespace velkor
