// Classes that a publisher (or the SDK itself) names for the offerwall's screens, presenters and
// views. A class is a function that makes an instance; an empty function names nothing, and a
// function that makes none counts as nothing too: the reader then takes its default.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/ui/nib_registry.h"

namespace velkor {

class OfwBaseViewController;

// A class made with its plain initialiser.
template <class T>
using ClassOf = std::function<std::shared_ptr<T>()>;

// The class Made, seen as a Base (ClassOf<Base>).
template <class Made, class Base = Made>
ClassOf<Base> classOf() {
  return [] { return std::shared_ptr<Base>(std::make_shared<Made>()); };
}

// A screen: the controller to show, and the same object seen through the protocol it adopts.
template <class Protocol>
struct ScreenOf {
  std::shared_ptr<OfwBaseViewController> controller;
  std::shared_ptr<Protocol> view;

  explicit operator bool() const { return controller && view; }
};

// A screen class: an OfwBaseViewController that adopts Protocol. Besides its initialisers it knows
// its unqualified type name (the name of its default nib) and the nib registry its screens load
// their nibs from (the framework's for the SDK's own, the host app's for a publisher's).
template <class Protocol>
class ScreenClass {
 public:
  // No nib name: the plain initialiser; a name: the initialiser from that nib.
  using Maker = std::function<ScreenOf<Protocol>(const std::optional<std::string>& nibName)>;

  ScreenClass() = default;
  ScreenClass(std::string typeName, const ui::NibRegistry* bundle, Maker maker)
      : typeName_(std::move(typeName)), bundle_(bundle), maker_(std::move(maker)) {}

  // The class T. A T made from a nib is given the registry when it takes one after the nib name
  // (as OfwBaseViewController does); otherwise its own constructor decides where its nib comes from.
  template <class T>
  static ScreenClass of(std::string typeName, const ui::NibRegistry* bundle = nullptr) {
    static_assert(std::is_base_of_v<OfwBaseViewController, T> && std::is_base_of_v<Protocol, T>,
                  "a screen class is an OfwBaseViewController adopting its protocol");
    return ScreenClass(std::move(typeName), bundle, [bundle](const std::optional<std::string>& nibName) {
      std::shared_ptr<T> screen;
      if (!nibName) {
        screen = std::make_shared<T>();
      } else if constexpr (std::is_constructible_v<T, std::optional<std::string>, const ui::NibRegistry&>) {
        screen = std::make_shared<T>(nibName, bundle ? *bundle : ui::NibRegistry::main());
      } else {
        screen = std::make_shared<T>(nibName);
      }
      return ScreenOf<Protocol>{screen, screen};
    });
  }

  explicit operator bool() const { return static_cast<bool>(maker_); }
  const std::string& typeName() const { return typeName_; }
  // Null stands for the host app's registry.
  const ui::NibRegistry& bundle() const { return bundle_ ? *bundle_ : ui::NibRegistry::main(); }

  // Empty when the class names nothing or its initialiser made none.
  ScreenOf<Protocol> make(const std::optional<std::string>& nibName = std::nullopt) const {
    if (!maker_) return {};
    auto screen = maker_(nibName);
    return screen ? screen : ScreenOf<Protocol>{};
  }

 private:
  std::string typeName_;
  const ui::NibRegistry* bundle_ = nullptr;
  Maker maker_;
};

// An instance of the chosen class, else of the fallback when the chosen class names none or made
// none; null when neither made one.
template <class T>
std::shared_ptr<T> makeOrDefault(const ClassOf<T>& chosen, const ClassOf<T>& fallback) {
  std::shared_ptr<T> made = chosen ? chosen() : nullptr;
  if (!made && fallback) made = fallback();
  return made;
}

}  // namespace velkor
