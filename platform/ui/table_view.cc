#include "platform/ui/table_view.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/base/log.h"

namespace ui {
namespace {

// A row shows when at least this much of it is inside the visible area.
constexpr double kSliver = 1e-6;

bool overlaps(double top, double bottom, double visibleTop, double visibleBottom) {
  return std::min(bottom, visibleBottom) - std::max(top, visibleTop) > kSliver;
}

}  // namespace

double TableViewDelegate::heightForRow(TableView& tableView, const IndexPath& indexPath) {
  (void)indexPath;
  return tableView.rowHeight();
}

double TableViewDelegate::estimatedHeightForRow(TableView& tableView, const IndexPath& indexPath) {
  (void)indexPath;
  return tableView.estimatedRowHeight();
}

TableView::TableView() { setAlwaysBounceVertical(true); }

TableView::TableView(const Rect& frame) : TableView() { setFrame(frame); }

TableView::~TableView() = default;

void TableView::setDataSource(std::weak_ptr<TableViewDataSource> dataSource) {
  dataSource_ = std::move(dataSource);
  reloadData();
}

void TableView::setDelegate(std::weak_ptr<TableViewDelegate> delegate) {
  delegate_ = delegate;
  ScrollView::setDelegate(std::move(delegate));
  reloadData();
}

void TableView::setSeparatorStyle(TableViewCellSeparatorStyle style) {
  separatorStyle_ = style;
  for (const auto& [indexPath, cell] : visible_) styleSeparator(*cell);
}

void TableView::setSeparatorColor(const Color& color) {
  separatorColor_ = color;
  for (const auto& [indexPath, cell] : visible_) styleSeparator(*cell);
}

void TableView::styleSeparator(TableViewCell& cell) const {
  cell.showSeparator(separatorStyle_ == TableViewCellSeparatorStyle::singleLine, separatorColor_);
}

// --- cells ---------------------------------------------------------------------------------------

void TableView::registerCell(const std::string& identifier, CellFactory factory) {
  pool_.registerFactory(identifier, std::move(factory));
}

std::shared_ptr<TableViewCell> TableView::dequeueReusableCell(const std::string& identifier) {
  return pool_.dequeue(identifier);
}

std::shared_ptr<TableViewCell> TableView::dequeueReusableCell(const std::string& identifier,
                                                              const IndexPath& indexPath) {
  (void)indexPath;
  return pool_.dequeueOrPlain(identifier, "TableView");
}

// --- data ----------------------------------------------------------------------------------------

void TableView::reloadData() {
  dataLoaded_ = false;
  setNeedsLayoutPass();
}

int TableView::numberOfSections() {
  loadDataIfNeeded();
  return static_cast<int>(sectionStarts_.size());
}

int TableView::numberOfRows(int section) {
  loadDataIfNeeded();
  if (section < 0 || section >= static_cast<int>(sectionStarts_.size())) return 0;
  return rowsIn(section);
}

// Asks the data source for the shape of the table and each row's height or estimate. The cells on
// screen go back for reuse: the rows they showed may be gone.
void TableView::loadDataIfNeeded() {
  if (dataLoaded_) return;
  dataLoaded_ = true;
  std::shared_ptr<View> keepAlive = shared();
  while (!visible_.empty()) hideCell(visible_.begin());
  sectionStarts_.clear();
  rows_.clear();
  auto source = dataSource();
  int sections = source ? std::max(source->numberOfSections(*this), 0) : 0;
  for (int section = 0; section < sections; ++section) {
    sectionStarts_.push_back(static_cast<int>(rows_.size()));
    int count = std::max(source->numberOfRows(*this, section), 0);
    for (int row = 0; row < count; ++row) {
      IndexPath indexPath{section, row};
      Row entry;
      double estimate = estimatedHeight(indexPath);
      if (estimate > 0) {
        entry.height = estimate;
      } else {
        auto d = delegate();
        double height = d ? d->heightForRow(*this, indexPath) : rowHeight_;
        entry.known = height >= 0;
        entry.height = entry.known ? height : kDefaultRowHeight;
      }
      rows_.push_back(entry);
    }
  }
  offsets_.assign(rows_.size() + 1, 0);
  validOffsets_ = 1;
  if (selected_ && !exists(*selected_)) selected_.reset();
  updateContentSize();
}

double TableView::estimatedHeight(const IndexPath& indexPath) {
  auto d = delegate();
  double estimate = d ? d->estimatedHeightForRow(*this, indexPath) : estimatedRowHeight_;
  return estimate < 0 ? kDefaultRowHeight : estimate;
}

bool TableView::exists(const IndexPath& indexPath) const {
  return indexPath.section >= 0 && indexPath.section < static_cast<int>(sectionStarts_.size()) && indexPath.item >= 0 &&
         indexPath.item < rowsIn(indexPath.section);
}

int TableView::rowsIn(int section) const {
  int end = section + 1 < static_cast<int>(sectionStarts_.size()) ? sectionStarts_[section + 1]
                                                                   : static_cast<int>(rows_.size());
  return end - sectionStarts_[section];
}

std::size_t TableView::flatIndex(const IndexPath& indexPath) const {
  return static_cast<std::size_t>(sectionStarts_[indexPath.section]) + static_cast<std::size_t>(indexPath.item);
}

IndexPath TableView::indexPathAt(std::size_t flat) const {
  auto after = std::upper_bound(sectionStarts_.begin(), sectionStarts_.end(), static_cast<int>(flat));
  int section = static_cast<int>(after - sectionStarts_.begin()) - 1;
  return {section, static_cast<int>(flat) - sectionStarts_[section]};
}

// --- geometry ------------------------------------------------------------------------------------

double TableView::headerHeight() const { return headerView_ ? headerView_->frame().height() : 0; }

// The row's top below the header; rowY(rows) is the height of all rows.
double TableView::rowY(std::size_t flat) {
  for (; validOffsets_ <= flat; ++validOffsets_) {
    offsets_[validOffsets_] = offsets_[validOffsets_ - 1] + rows_[validOffsets_ - 1].height;
  }
  return offsets_[flat];
}

std::size_t TableView::firstRowAt(double y) {
  if (rows_.empty()) return 0;
  rowY(rows_.size());
  auto after = std::upper_bound(offsets_.begin(), offsets_.end(), y);
  std::size_t index = after == offsets_.begin() ? 0 : static_cast<std::size_t>(after - offsets_.begin()) - 1;
  return std::min(index, rows_.size() - 1);
}

void TableView::storeHeight(std::size_t flat, double height) {
  Row& row = rows_[flat];
  row.known = true;
  if (row.height == height) return;
  row.height = height;
  validOffsets_ = std::min(validOffsets_, flat + 1);
}

void TableView::updateContentSize() {
  double rows = rowY(rows_.size());
  double footer = footerView_ ? footerView_->frame().height() : 0;
  setContentSize({bounds().width(), headerHeight() + rows + footer});
}

void TableView::placeHeaderAndFooter() {
  double width = bounds().width();
  if (headerView_) {
    Rect frame{0, 0, width, headerView_->frame().height()};
    if (headerView_->frame() != frame) headerView_->setFrame(frame);
  }
  if (footerView_) {
    Rect frame{0, rowsTop() + rowY(rows_.size()), width, footerView_->frame().height()};
    if (footerView_->frame() != frame) footerView_->setFrame(frame);
  }
}

Rect TableView::rectForRow(const IndexPath& indexPath) {
  loadDataIfNeeded();
  if (!exists(indexPath)) return {};
  std::size_t flat = flatIndex(indexPath);
  return {0, rowsTop() + rowY(flat), bounds().width(), rows_[flat].height};
}

std::optional<IndexPath> TableView::indexPathForRow(Point point) {
  loadDataIfNeeded();
  double y = point.y - rowsTop();
  if (rows_.empty() || y < 0 || y >= rowY(rows_.size()) || point.x < 0 || point.x >= bounds().width()) {
    return std::nullopt;
  }
  return indexPathAt(firstRowAt(y));
}

// --- cells on screen -----------------------------------------------------------------------------

// The height of a row about to show: the delegate's, or its cell's constraints at the table's width.
double TableView::measuredHeight(const IndexPath& indexPath, TableViewCell& cell) {
  auto d = delegate();
  double height = d ? d->heightForRow(*this, indexPath) : rowHeight_;
  if (height >= 0) return height;
  double width = bounds().width();
  cell.setFrame({0, 0, width, cell.frame().height()});
  Size fitting = cell.contentFittingSize({width, 0}, layout_priority::required, layout_priority::fittingSizeLevel);
  return fitting.height > 0 ? fitting.height : kDefaultRowHeight;
}

std::shared_ptr<TableViewCell> TableView::makeCell(const IndexPath& indexPath) {
  auto source = dataSource();
  std::shared_ptr<TableViewCell> cell = source ? source->cellForRow(*this, indexPath) : nullptr;
  if (!cell) {
    base::logError("TableView: the data source gave no cell for a row");
    cell = std::make_shared<TableViewCell>();
  }
  return cell;
}

void TableView::showCell(const IndexPath& indexPath, const std::shared_ptr<TableViewCell>& cell) {
  visible_[indexPath] = cell;
  styleSeparator(*cell);
  cell->setSelected(selected_ == indexPath);
  if (cell->superview() != this) insertSubview(cell, 0);  // under anything else laid over the rows
  cell->setHidden(false);
  if (auto d = delegate()) d->willDisplay(*this, *cell, indexPath);
}

void TableView::hideCell(std::map<IndexPath, std::shared_ptr<TableViewCell>>::iterator found) {
  IndexPath indexPath = found->first;
  std::shared_ptr<TableViewCell> cell = std::move(found->second);
  visible_.erase(found);
  // A cell waiting for reuse stays in the table, hidden, with the engine it built, instead of
  // leaving and coming back at every scroll step.
  if (cell->reuseIdentifier().empty()) {
    cell->removeFromSuperview();
  } else {
    cell->setHidden(true);
  }
  if (auto d = delegate()) d->didEndDisplaying(*this, *cell, indexPath);
  if (!cell->reuseIdentifier().empty()) pool_.enqueue(std::move(cell));
}

// Gives every row that shows a cell, at its place, and takes the cells of rows that left.
void TableView::updateCells() {
  if (updating_) return;
  updating_ = true;
  std::shared_ptr<View> keepAlive = shared();
  loadDataIfNeeded();
  double width = bounds().width();
  if (width != measuredWidth_) {
    // Heights worked out at another width no longer hold.
    measuredWidth_ = width;
    for (auto& row : rows_) row.known = false;
  }
  const double top = bounds().y() - rowsTop();
  const double bottom = top + bounds().height();
  auto stillShows = [&](const IndexPath& indexPath) {
    if (!exists(indexPath)) return false;
    std::size_t flat = flatIndex(indexPath);
    return overlaps(rowY(flat), rowY(flat) + rows_[flat].height, top, bottom);
  };
  auto dropHidden = [&] {
    for (auto it = visible_.begin(); it != visible_.end();) {
      auto next = std::next(it);
      if (!stillShows(it->first)) hideCell(it);
      it = next;
    }
  };
  dropHidden();
  for (std::size_t flat = firstRowAt(top); flat < rows_.size() && bottom > top; ++flat) {
    double y = rowY(flat);
    if (y >= bottom) break;
    IndexPath indexPath = indexPathAt(flat);
    auto found = visible_.find(indexPath);
    std::shared_ptr<TableViewCell> cell = found != visible_.end() ? found->second : makeCell(indexPath);
    if (!rows_[flat].known) storeHeight(flat, measuredHeight(indexPath, *cell));
    double height = rows_[flat].height;
    if (!overlaps(y, y + height, top, bottom)) {
      if (found == visible_.end() && !cell->reuseIdentifier().empty()) pool_.enqueue(cell);
      continue;
    }
    Rect frame{0, rowsTop() + y, width, height};
    if (cell->frame() != frame) cell->setFrame(frame);
    if (found == visible_.end()) showCell(indexPath, cell);
  }
  dropHidden();  // rows that measuring pushed out
  updateContentSize();
  placeHeaderAndFooter();
  updating_ = false;
}

void TableView::layoutSubviews() {
  ScrollView::layoutSubviews();
  updateCells();
}

void TableView::contentOffsetDidChange() { setNeedsLayoutPass(); }

std::vector<IndexPath> TableView::indexPathsForVisibleRows() {
  updateCells();
  std::vector<IndexPath> paths;
  for (const auto& [indexPath, cell] : visible_) paths.push_back(indexPath);
  return paths;
}

std::vector<std::shared_ptr<TableViewCell>> TableView::visibleCells() {
  updateCells();
  std::vector<std::shared_ptr<TableViewCell>> cells;
  for (const auto& [indexPath, cell] : visible_) cells.push_back(cell);
  return cells;
}

std::shared_ptr<TableViewCell> TableView::cellForRow(const IndexPath& indexPath) {
  updateCells();
  auto found = visible_.find(indexPath);
  return found == visible_.end() ? nullptr : found->second;
}

std::optional<IndexPath> TableView::indexPath(const TableViewCell& cell) {
  updateCells();
  for (const auto& [indexPath, shown] : visible_) {
    if (shown.get() == &cell) return indexPath;
  }
  return std::nullopt;
}

// --- scrolling to a row --------------------------------------------------------------------------

void TableView::scrollToRow(const IndexPath& indexPath, TableViewScrollPosition position, bool animated) {
  loadDataIfNeeded();
  if (!exists(indexPath)) return;
  // Rows measured on the way change where the row lies: settle it in a few rounds.
  for (int round = 0; round < 8; ++round) {
    updateContentSize();
    Rect row = rectForRow(indexPath);
    double height = bounds().height(), offset = contentOffset().y;
    double target = offset;
    switch (position) {
      case TableViewScrollPosition::top: target = row.y(); break;
      case TableViewScrollPosition::middle: target = row.midY() - height / 2; break;
      case TableViewScrollPosition::bottom: target = row.maxY() - height; break;
      case TableViewScrollPosition::none:
        if (row.y() < offset) target = row.y();
        else if (row.maxY() > offset + height) target = row.maxY() - height;
        break;
    }
    target = std::clamp(target, minimumContentOffset().y, maximumContentOffset().y);
    if (animated) {
      setContentOffset({contentOffset().x, target}, true);
      return;
    }
    if (std::abs(target - offset) < 1e-9 && round > 0) return;
    setContentOffset({contentOffset().x, target});
    updateCells();
  }
}

// --- selection -----------------------------------------------------------------------------------

void TableView::selectRow(std::optional<IndexPath> indexPath, bool animated, TableViewScrollPosition position) {
  loadDataIfNeeded();
  if (indexPath && !exists(*indexPath)) return;
  if (selected_) deselectRow(*selected_, animated);
  selected_ = indexPath;
  if (!indexPath) return;
  if (auto found = visible_.find(*indexPath); found != visible_.end()) found->second->setSelected(true, animated);
  if (position != TableViewScrollPosition::none) scrollToRow(*indexPath, position, animated);
}

void TableView::deselectRow(const IndexPath& indexPath, bool animated) {
  if (selected_ == indexPath) selected_.reset();
  if (auto found = visible_.find(indexPath); found != visible_.end()) found->second->setSelected(false, animated);
}

std::optional<IndexPath> TableView::itemUnder(const Touch& touch) {
  return allowsSelection_ ? indexPathForRow(touch.location(this)) : std::nullopt;
}

void TableView::itemPressed(const IndexPath& indexPath) {
  std::shared_ptr<View> keepAlive = shared();
  selectRow(indexPath, false, TableViewScrollPosition::none);
  if (auto d = delegate()) d->didSelectRow(*this, indexPath);
}

void TableView::setTableHeaderView(std::shared_ptr<View> view) {
  if (headerView_) headerView_->removeFromSuperview();
  headerView_ = std::move(view);
  if (headerView_) addSubview(headerView_);
  setNeedsLayoutPass();
}

void TableView::setTableFooterView(std::shared_ptr<View> view) {
  if (footerView_) footerView_->removeFromSuperview();
  footerView_ = std::move(view);
  if (footerView_) addSubview(footerView_);
  setNeedsLayoutPass();
}

}  // namespace ui
