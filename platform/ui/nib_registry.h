// Nibs: named builders that make a view tree (or a view controller with its view) in code, kept
// apart per bundle: the framework's own nibs and the host app's (main). A screen made with a nib
// name loads its view from the nib; a publisher's bar loads its content with itself as the owner.
//
// A builder receives the owner (none, a view or a view controller) and returns the nib's top-level
// objects in order. It connects outlets as the nib file would: through the owner's setters (so an
// owner that styles an outlet when it is set does so at once), and through the setters of the
// objects it makes. For example, a bar whose content comes from the nib "TitleBar":
//
//   NibRegistry::framework().registerNib("TitleBar", [](const NibOwner& owner) {
//     auto content = std::make_shared<ui::View>();
//     auto title = std::make_shared<ui::Label>();
//     content->addSubview(title);
//     auto width = title->widthAnchor().constraintEqualToConstant(72);
//     width->setActive(true);
//     if (auto* bar = owner.as<TitleBar>()) {
//       bar->setContentView(content);
//       bar->setTitleLabel(title);
//       bar->setTitleWidthConstraint(width);
//     }
//     return std::vector<NibObject>{content};
//   });
//
// A view controller's nib connects the controller's root view with setView() (or leaves it to be
// the first top-level view). A nib whose first object is a controller (an alert, say) makes that
// controller, its view and its outlets. Registration is safe from any thread; loading runs the
// builder on the caller's thread (the main thread for views).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace ui {

class View;
class ViewController;

using NibObject = std::variant<std::shared_ptr<View>, std::shared_ptr<ViewController>>;

// The object a nib's "File's Owner" outlets connect to, if any.
class NibOwner {
 public:
  NibOwner() = default;
  explicit NibOwner(View& view) : view_(&view) {}
  explicit NibOwner(ViewController& controller) : controller_(&controller) {}

  bool empty() const { return !view_ && !controller_; }
  // The owner as a T (a view or controller class); null without an owner or for another class.
  template <class T>
  T* as() const {
    if constexpr (std::is_base_of_v<View, T>) {
      return dynamic_cast<T*>(view_);
    } else {
      return dynamic_cast<T*>(controller_);
    }
  }

 private:
  View* view_ = nullptr;
  ViewController* controller_ = nullptr;
};

class NibRegistry {
 public:
  using Builder = std::function<std::vector<NibObject>(const NibOwner& owner)>;

  // The framework's own nibs, and the host app's.
  static NibRegistry& framework();
  static NibRegistry& main();

  NibRegistry() = default;
  NibRegistry(const NibRegistry&) = delete;
  NibRegistry& operator=(const NibRegistry&) = delete;

  // Registers (or replaces) a nib; an empty builder removes it.
  void registerNib(std::string name, Builder builder);
  void removeNib(std::string_view name);
  bool contains(std::string_view name) const;

  // The nib's top-level objects; empty (and logged) when there is no such nib or its builder
  // throws.
  std::vector<NibObject> load(std::string_view name, const NibOwner& owner = {}) const;
  // The first top-level object as a T; null when the nib is missing or empty, or its first object
  // is not a T.
  template <class T>
  std::shared_ptr<T> instantiate(std::string_view name, const NibOwner& owner = {}) const {
    auto objects = load(name, owner);
    if (objects.empty()) return nullptr;
    return std::visit([](const auto& object) { return std::dynamic_pointer_cast<T>(object); }, objects.front());
  }

 private:
  Builder builder(std::string_view name) const;

  mutable std::mutex mutex_;
  std::map<std::string, Builder, std::less<>> builders_;
};

}  // namespace ui
