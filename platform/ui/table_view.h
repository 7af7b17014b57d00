// A table: a vertical scroll view of rows in sections, made by a data source and sized and told of
// events through a delegate. Only the rows on screen have cells: a row scrolling in gets one from
// the data source (which dequeues it from the cells registered by reuse identifier, reusing those
// that scrolled out), and a row scrolling out gives its cell back for reuse.
//
// Heights: a row's height comes from the delegate (or rowHeight); kAutomaticDimension sizes the
// row by the constraints of its cell's content view at the table's width. With an estimate (the
// default: 44 points) a row's real height is asked for only when it first comes on screen, and the
// estimate stands in until then; an estimate of 0 asks every height when the data loads.
//
// The table header view sits above the first row and the footer view below the last, each as tall
// as its own frame and as wide as the table. Visible rows follow the content offset: queries bring
// the cells up to date at once, and a layout pass follows every scroll on the main loop.
// A tap on a row (not on a control in it, and not taken by a gesture recogniser) selects it and
// tells the delegate.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/color.h"
#include "platform/ui/index_path.h"
#include "platform/ui/reusable_cell.h"
#include "platform/ui/scroll_view.h"
#include "platform/ui/table_view_cell.h"
#include "platform/ui/touch.h"

namespace ui {

class TableView;

enum class TableViewCellSeparatorStyle { none = 0, singleLine = 1 };
enum class TableViewScrollPosition { none = 0, top = 1, middle = 2, bottom = 3 };

class TableViewDataSource {
 public:
  virtual ~TableViewDataSource() = default;
  virtual int numberOfSections(TableView& tableView) {
    (void)tableView;
    return 1;
  }
  virtual int numberOfRows(TableView& tableView, int section) = 0;
  // Usually a cell from tableView.dequeueReusableCell(identifier, indexPath), filled for the row.
  virtual std::shared_ptr<TableViewCell> cellForRow(TableView& tableView, const IndexPath& indexPath) = 0;
};

// The table's delegate is also its scroll view delegate.
class TableViewDelegate : public ScrollViewDelegate {
 public:
  // Default: the table's rowHeight.
  virtual double heightForRow(TableView& tableView, const IndexPath& indexPath);
  // Default: the table's estimatedRowHeight.
  virtual double estimatedHeightForRow(TableView& tableView, const IndexPath& indexPath);
  virtual void willDisplay(TableView& tableView, TableViewCell& cell, const IndexPath& indexPath) {
    (void)tableView;
    (void)cell;
    (void)indexPath;
  }
  virtual void didEndDisplaying(TableView& tableView, TableViewCell& cell, const IndexPath& indexPath) {
    (void)tableView;
    (void)cell;
    (void)indexPath;
  }
  virtual void didSelectRow(TableView& tableView, const IndexPath& indexPath) {
    (void)tableView;
    (void)indexPath;
  }
};

class TableView : public ScrollView, public CellPressResponder {
 public:
  // A height that the row's cell works out from its constraints.
  static constexpr double kAutomaticDimension = -1;
  // What an automatic estimate and an unmeasurable row come to.
  static constexpr double kDefaultRowHeight = 44;

  using CellFactory = std::function<std::shared_ptr<TableViewCell>()>;

  TableView();
  explicit TableView(const Rect& frame);
  ~TableView() override;

  std::shared_ptr<TableViewDataSource> dataSource() const { return dataSource_.lock(); }
  void setDataSource(std::weak_ptr<TableViewDataSource> dataSource);
  std::shared_ptr<TableViewDelegate> delegate() const { return delegate_.lock(); }
  // Also the scroll view delegate.
  void setDelegate(std::weak_ptr<TableViewDelegate> delegate);

  double rowHeight() const { return rowHeight_; }
  void setRowHeight(double height) { rowHeight_ = height; }
  double estimatedRowHeight() const { return estimatedRowHeight_; }
  void setEstimatedRowHeight(double height) { estimatedRowHeight_ = height; }
  TableViewCellSeparatorStyle separatorStyle() const { return separatorStyle_; }
  void setSeparatorStyle(TableViewCellSeparatorStyle style);
  const Color& separatorColor() const { return separatorColor_; }
  void setSeparatorColor(const Color& color);
  bool allowsSelection() const { return allowsSelection_; }
  void setAllowsSelection(bool allows) { allowsSelection_ = allows; }

  // --- cells ---
  // register(_:forCellReuseIdentifier:): the factory makes the cells of the identifier.
  void registerCell(const std::string& identifier, CellFactory factory);
  template <class Cell>
  void registerCell(const std::string& identifier) {
    registerCell(identifier, [] { return std::make_shared<Cell>(); });
  }
  // A cell of the identifier, reused or new. An identifier nobody registered is a programming error:
  // it is logged and a plain cell comes back.
  std::shared_ptr<TableViewCell> dequeueReusableCell(const std::string& identifier, const IndexPath& indexPath);
  // A reused or new cell of the identifier; null when it is not registered and none waits.
  std::shared_ptr<TableViewCell> dequeueReusableCell(const std::string& identifier);

  // --- data ---
  // Forgets the rows and asks the data source again; every cell on screen goes back for reuse.
  void reloadData();
  int numberOfSections();
  int numberOfRows(int section);

  // --- what is on screen, following the content offset ---
  // Every row that shows at least a sliver, in index path order.
  std::vector<IndexPath> indexPathsForVisibleRows();
  // Their cells, in the same order.
  std::vector<std::shared_ptr<TableViewCell>> visibleCells();
  // The cell on screen for the row; null when the row is not on screen.
  std::shared_ptr<TableViewCell> cellForRow(const IndexPath& indexPath);
  std::optional<IndexPath> indexPath(const TableViewCell& cell);
  // The row under a point of the content; none between or beyond rows.
  std::optional<IndexPath> indexPathForRow(Point point);
  // The row's rectangle in the content (estimated until the row was on screen); empty when there
  // is no such row.
  Rect rectForRow(const IndexPath& indexPath);
  // Brings the row to the position; a row that does not exist (kNotFound included) is ignored.
  void scrollToRow(const IndexPath& indexPath, TableViewScrollPosition position, bool animated);

  // --- header and footer ---
  const std::shared_ptr<View>& tableHeaderView() const { return headerView_; }
  void setTableHeaderView(std::shared_ptr<View> view);
  const std::shared_ptr<View>& tableFooterView() const { return footerView_; }
  void setTableFooterView(std::shared_ptr<View> view);

  // --- selection ---
  std::optional<IndexPath> indexPathForSelectedRow() const { return selected_; }
  // Selects a row (none deselects), without telling the delegate, and scrolls it to the position.
  void selectRow(std::optional<IndexPath> indexPath, bool animated, TableViewScrollPosition position);
  void deselectRow(const IndexPath& indexPath, bool animated);

  void layoutSubviews() override;

 protected:
  void contentOffsetDidChange() override;
  std::optional<IndexPath> itemUnder(const Touch& touch) override;
  std::shared_ptr<ReusableCell> cellOf(const IndexPath& indexPath) override { return cellForRow(indexPath); }
  void itemPressed(const IndexPath& indexPath) override;

 private:
  struct Row {
    double height = 0;
    bool known = false;  // the real height, not an estimate
  };

  void loadDataIfNeeded();
  void updateCells();
  double headerHeight() const;
  double rowsTop() const { return headerHeight(); }
  std::size_t flatIndex(const IndexPath& indexPath) const;
  IndexPath indexPathAt(std::size_t flat) const;
  bool exists(const IndexPath& indexPath) const;
  int rowsIn(int section) const;
  double rowY(std::size_t flat);
  std::size_t firstRowAt(double y);
  double estimatedHeight(const IndexPath& indexPath);
  double measuredHeight(const IndexPath& indexPath, TableViewCell& cell);
  std::shared_ptr<TableViewCell> makeCell(const IndexPath& indexPath);
  void showCell(const IndexPath& indexPath, const std::shared_ptr<TableViewCell>& cell);
  void hideCell(std::map<IndexPath, std::shared_ptr<TableViewCell>>::iterator found);
  void storeHeight(std::size_t flat, double height);
  void updateContentSize();
  void placeHeaderAndFooter();
  void styleSeparator(TableViewCell& cell) const;

  std::weak_ptr<TableViewDataSource> dataSource_;
  std::weak_ptr<TableViewDelegate> delegate_;
  double rowHeight_ = kAutomaticDimension;
  double estimatedRowHeight_ = kAutomaticDimension;
  TableViewCellSeparatorStyle separatorStyle_ = TableViewCellSeparatorStyle::singleLine;
  Color separatorColor_ = Color(0.78, 0.78, 0.8);
  bool allowsSelection_ = true;

  ReusePool<TableViewCell> pool_;
  bool dataLoaded_ = false;
  bool updating_ = false;
  std::vector<int> sectionStarts_;  // flat index of each section's first row
  std::vector<Row> rows_;
  std::vector<double> offsets_;      // y of each row below the header, valid below validOffsets_
  std::size_t validOffsets_ = 0;
  double measuredWidth_ = -1;
  std::map<IndexPath, std::shared_ptr<TableViewCell>> visible_;
  std::shared_ptr<View> headerView_;
  std::shared_ptr<View> footerView_;
  std::optional<IndexPath> selected_;
};

}  // namespace ui
