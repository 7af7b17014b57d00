// What table and collection cells share: a content view that fills the cell and holds what the
// cell shows, the reuse identifier it was registered under, the selected and highlighted states,
// and prepareForReuse(), called before a cell that left the screen is handed out again.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/log.h"
#include "platform/ui/index_path.h"
#include "platform/ui/touch.h"
#include "platform/ui/view.h"

namespace ui {

class ReusableCell : public View {
 public:
  ReusableCell();
  explicit ReusableCell(const Rect& frame);

  // Subviews go here; it fills the cell.
  const std::shared_ptr<View>& contentView() const { return contentView_; }
  // contentView()->systemLayoutSizeFitting(), solved with the cell's own engine: measuring a row
  // and then laying it out build its rows once.
  Size contentFittingSize(Size target, LayoutPriority horizontal, LayoutPriority vertical);
  const std::string& reuseIdentifier() const { return reuseIdentifier_; }
  // Restores the cell before it is handed out again. Subclasses call the base.
  virtual void prepareForReuse() {}

  bool isSelected() const { return selected_; }
  virtual void setSelected(bool selected, bool animated);
  void setSelected(bool selected) { setSelected(selected, false); }
  bool isHighlighted() const { return highlighted_; }
  virtual void setHighlighted(bool highlighted, bool animated);
  void setHighlighted(bool highlighted) { setHighlighted(highlighted, false); }

 private:
  template <class Cell>
  friend class ReusePool;
  std::shared_ptr<View> contentView_;
  std::string reuseIdentifier_;
  bool selected_ = false;
  bool highlighted_ = false;
};

// Cells by reuse identifier: the factories registered for them and the cells waiting to be used
// again. A cell handed out is either new from its factory or a waiting one after prepareForReuse().
template <class Cell>
class ReusePool {
 public:
  using Factory = std::function<std::shared_ptr<Cell>()>;

  void registerFactory(const std::string& identifier, Factory factory) { factories_[identifier] = std::move(factory); }
  bool isRegistered(const std::string& identifier) const { return factories_.count(identifier) > 0; }

  // A waiting cell, else a new one from the factory; null when neither exists.
  std::shared_ptr<Cell> dequeue(const std::string& identifier) {
    auto& waiting = waiting_[identifier];
    if (!waiting.empty()) {
      std::shared_ptr<Cell> cell = std::move(waiting.back());
      waiting.pop_back();
      cell->prepareForReuse();
      return cell;
    }
    auto factory = factories_.find(identifier);
    if (factory == factories_.end() || !factory->second) return nullptr;
    std::shared_ptr<Cell> cell = factory->second();
    if (!cell) return nullptr;
    cell->reuseIdentifier_ = identifier;
    ++made_;
    return cell;
  }

  // dequeue(), or for an identifier nobody registered (a programming error, logged in the name of
  // `list`) a plain cell.
  std::shared_ptr<Cell> dequeueOrPlain(const std::string& identifier, std::string_view list) {
    if (auto cell = dequeue(identifier)) return cell;
    base::logError(std::string(list) + ": no cell registered for the reuse identifier \"" + identifier + "\"");
    return std::make_shared<Cell>();
  }

  void enqueue(std::shared_ptr<Cell> cell) {
    if (cell) waiting_[cell->reuseIdentifier()].push_back(std::move(cell));
  }

  // How many cells the factories made so far.
  int cellsMade() const { return made_; }

 private:
  std::map<std::string, Factory> factories_;
  std::map<std::string, std::vector<std::shared_ptr<Cell>>> waiting_;
  int made_ = 0;
};

// How lists answer touches on their cells: a finger on a row or item highlights its cell while it
// stays there, and lifted there it selects it. A drag, or a recogniser that takes the touch,
// cancels the press.
class CellPressResponder : public TouchResponder {
 public:
  void touchBegan(const Touch& touch) override;
  void touchMoved(const Touch& touch) override;
  void touchEnded(const Touch& touch) override;
  void touchCancelled(const Touch& touch) override;

 protected:
  // The row or item under the touch; none when there is none or selection is off.
  virtual std::optional<IndexPath> itemUnder(const Touch& touch) = 0;
  // Its cell while it is on screen.
  virtual std::shared_ptr<ReusableCell> cellOf(const IndexPath& indexPath) = 0;
  // The finger lifted on the item it came down on.
  virtual void itemPressed(const IndexPath& indexPath) = 0;

 private:
  void highlight(bool highlighted);
  std::optional<IndexPath> pressed_;
  const Touch* touch_ = nullptr;
};

}  // namespace ui
