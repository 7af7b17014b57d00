// One tab of the offerwall's tab strip: its title and the slug that names the tab. The tab bar
// compares items by identity, so items are shared objects.
#pragma once

#include <memory>
#include <string>

namespace velkor {

class ANTabBarItem {
 public:
  ANTabBarItem(std::string title, std::string slug) : title_(std::move(title)), slug_(std::move(slug)) {}
  static std::shared_ptr<ANTabBarItem> create(std::string title, std::string slug) {
    return std::make_shared<ANTabBarItem>(std::move(title), std::move(slug));
  }

  const std::string& title() const { return title_; }
  void setTitle(std::string title) { title_ = std::move(title); }
  const std::string& slug() const { return slug_; }
  void setSlug(std::string slug) { slug_ = std::move(slug); }

 private:
  std::string title_;
  std::string slug_;
};

}  // namespace velkor
