// Named notifications broadcast within the process: observers register a block for a name and are
// called synchronously, on the posting thread, for each post of that name.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace base {

struct Notification {
  std::string name;
  // What the poster attached, when it attached anything.
  std::optional<nlohmann::json> userInfo;
};

using NotificationBlock = std::function<void(const Notification&)>;

class NotificationCenter {
 public:
  // Defined where the centre is implemented.
  struct State;
  struct Observer;

  // Ends its observation when destroyed or reset. Once that returns, the block is not running on
  // any other thread and will not be called again; it may be called from inside the block itself.
  class Token {
   public:
    Token() = default;
    Token(Token&& other) noexcept = default;
    Token& operator=(Token&& other) noexcept;
    ~Token();

    void reset();
    explicit operator bool() const { return observer_ != nullptr; }

   private:
    friend class NotificationCenter;
    Token(std::weak_ptr<State> state, std::shared_ptr<Observer> observer);

    std::weak_ptr<State> state_;
    std::shared_ptr<Observer> observer_;
  };

  NotificationCenter();
  ~NotificationCenter();
  NotificationCenter(const NotificationCenter&) = delete;
  NotificationCenter& operator=(const NotificationCenter&) = delete;

  // The process-wide centre the platform and the SDK post on.
  static NotificationCenter& defaultCenter();

  // Observes `name` until the returned token goes.
  [[nodiscard]] Token addObserver(std::string name, NotificationBlock block);
  // Observes `name` for as long as `owner` lives: the owner is kept alive while its block runs and
  // the observation ends by itself once the owner is gone. Any shared_ptr or weak_ptr converts.
  void addObserver(std::weak_ptr<const void> owner, std::string name, NotificationBlock block);
  // Ends every observation of the owner, or only those of one name.
  void removeObserver(const std::weak_ptr<const void>& owner);
  void removeObserver(const std::weak_ptr<const void>& owner, std::string_view name);

  // Calls, in the order they were added, the blocks observing `name` when the post began. Observers
  // may add or remove observers (themselves included) and post from inside their blocks. A block
  // that throws is logged and the others still run.
  void post(std::string_view name, std::optional<nlohmann::json> userInfo = std::nullopt);

 private:
  std::shared_ptr<State> state_;
};

}  // namespace base
