#include "platform/ui/table_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/button.h"
#include "platform/ui/constraint.h"
#include "platform/ui/layout_anchor.h"
#include "tests/platform/ui/test_views.h"

namespace ui {
namespace {

using dispatch::Seconds;

// A row cell whose text wraps at the table's width: its height comes from its constraints.
class TextCell : public TableViewCell {
 public:
  static inline int made = 0;
  int row = -1;
  std::shared_ptr<testing::WrappingView> text;
  std::shared_ptr<Button> button = std::make_shared<Button>();

  TextCell() {
    ++made;
    setText(100);
    button->setTranslatesAutoresizingMaskIntoConstraints(false);
    contentView()->addSubview(button);
    const auto& content = contentView();
    Constraint::activate({
        button->trailingAnchor().constraintEqualTo(content->trailingAnchor(), -10),
        button->centerYAnchor().constraintEqualTo(content->centerYAnchor()),
        button->widthAnchor().constraintEqualToConstant(40.0),
        button->heightAnchor().constraintEqualToConstant(30.0),
    });
  }
  // Swaps the text view for one of another width, keeping its constraints' shape.
  void setText(double width) {
    if (text) text->removeFromSuperview();
    text = std::make_shared<testing::WrappingView>(width, 20);
    const auto& content = contentView();
    content->addSubview(text);
    Constraint::activate({
        text->topAnchor().constraintEqualTo(content->topAnchor(), 10),
        text->leadingAnchor().constraintEqualTo(content->leadingAnchor(), 10),
        text->trailingAnchor().constraintEqualTo(content->trailingAnchor(), -60),
        text->bottomAnchor().constraintEqualTo(content->bottomAnchor(), -10),
    });
  }
  void prepareForReuse() override {
    TableViewCell::prepareForReuse();
    row = -1;
  }
};

class Rows : public TableViewDataSource, public TableViewDelegate {
 public:
  std::vector<int> counts{1000};
  double height = 50;  // kAutomaticDimension: by the cell's constraints
  double estimate = 50;
  std::vector<double> textWidths;  // per row, for automatic heights
  std::vector<int> emptyRows;      // rows shown by a cell with nothing in it
  std::vector<std::string> events;
  std::vector<IndexPath> selected;
  int heightQueries = 0;

  int numberOfSections(TableView&) override { return static_cast<int>(counts.size()); }
  int numberOfRows(TableView&, int section) override { return counts[static_cast<std::size_t>(section)]; }
  std::shared_ptr<TableViewCell> cellForRow(TableView& table, const IndexPath& indexPath) override {
    if (std::ranges::count(emptyRows, indexPath.row())) return table.dequeueReusableCell("empty", indexPath);
    auto cell = std::static_pointer_cast<TextCell>(table.dequeueReusableCell("text", indexPath));
    EXPECT_EQ(cell->row, -1) << "a cell handed out again was not prepared for reuse";
    cell->row = indexPath.row();
    if (!textWidths.empty()) cell->setText(textWidths[static_cast<std::size_t>(indexPath.row())]);
    return cell;
  }
  double heightForRow(TableView&, const IndexPath&) override {
    ++heightQueries;
    return height;
  }
  double estimatedHeightForRow(TableView&, const IndexPath&) override { return estimate; }
  void didEndDisplaying(TableView&, TableViewCell&, const IndexPath& ip) override {
    events.push_back("hide " + std::to_string(ip.section) + "." + std::to_string(ip.row()));
  }
  void didSelectRow(TableView&, const IndexPath& ip) override { selected.push_back(ip); }
};

class TableViewTest : public testing::WindowTest {
 protected:
  std::shared_ptr<TableView> table = std::make_shared<TableView>(Rect{0, 0, 320, 480});
  std::shared_ptr<Rows> rows = std::make_shared<Rows>();

  void SetUp() override {
    TextCell::made = 0;
    table->registerCell<TextCell>("text");
    table->registerCell<TableViewCell>("empty");
    table->setDataSource(rows);
    table->setDelegate(rows);
    window->addSubview(table);
    window->layoutIfNeeded();
  }

  // The rows a viewport from `offset` shows at fixed heights, partly shown ones included.
  static std::vector<IndexPath> expectedRows(double offset, double viewport, double height, int count) {
    std::vector<IndexPath> want;
    for (int row = static_cast<int>(std::floor(offset / height)); row < count && row * height < offset + viewport;
         ++row) {
      if ((row + 1) * height > offset) want.push_back({0, row});
    }
    return want;
  }
};

TEST_F(TableViewTest, ThousandRowsReuseAFewCellsAllTheWayDown) {
  int mostVisible = 0;
  for (double offset = 0; offset <= 50 * 1000 - 480; offset += 37) {
    table->setContentOffset({0, offset});
    auto visible = table->indexPathsForVisibleRows();
    ASSERT_EQ(visible, expectedRows(offset, 480, 50, 1000)) << offset;
    auto cells = table->visibleCells();
    ASSERT_EQ(cells.size(), visible.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
      auto* cell = static_cast<TextCell*>(cells[i].get());
      ASSERT_EQ(cell->row, visible[i].row());  // a reused cell shows its new row
      ASSERT_FALSE(cell->isHidden());
      ASSERT_EQ(cell->frame(), table->rectForRow(visible[i]));
      ASSERT_EQ(table->cellForRow(visible[i]), cells[i]);
    }
    mostVisible = std::max(mostVisible, static_cast<int>(visible.size()));
  }
  EXPECT_EQ(mostVisible, 11);
  EXPECT_LE(TextCell::made, mostVisible + 2);
  EXPECT_EQ(table->cellForRow({0, 0}), nullptr);  // scrolled away
  // Cells waiting for reuse stay in the table, hidden, with the engines they built.
  int waiting = 0;
  for (const auto& view : table->subviews()) waiting += dynamic_cast<TextCell*>(view.get()) && view->isHidden();
  EXPECT_EQ(waiting, TextCell::made - static_cast<int>(table->visibleCells().size()));
  EXPECT_EQ(table->contentSize().height, 50000);
  EXPECT_EQ(rows->heightQueries, 1000);  // each row asked once, as it came on screen
}

// Measuring a row can move it, or the rows below it, out of view: a row whose estimate was taller
// than it turns out ends above the top, and a row that turns out taller pushes the ones below off
// the bottom. Their cells go back for reuse all the same, and only rows in view count as visible.
TEST_F(TableViewTest, CellsOfRowsMeasuredOutOfViewGoBackForReuse) {
  rows->counts = {1000};
  rows->height = TableView::kAutomaticDimension;
  // The cells of the first screen, made before this test's rows, wait for reuse too.
  int mostVisible = static_cast<int>(table->visibleCells().size());
  auto scrollTo = [&](double offset) {
    table->setContentOffset({0, offset});
    const auto visible = table->indexPathsForVisibleRows();
    const Rect viewport = table->bounds();
    for (const auto& indexPath : visible) {
      const Rect row = table->rectForRow(indexPath);
      ASSERT_TRUE(row.maxY() > viewport.minY() && row.minY() < viewport.maxY())
          << "row " << indexPath.row() << " is out of view at " << offset;
    }
    mostVisible = std::max(mostVisible, static_cast<int>(visible.size()));
  };

  // Estimated 20 high, 80 in fact; scrolled up from the end, each row that comes in at the top
  // pushes the others down.
  rows->estimate = 20;
  rows->textWidths.assign(1000, 600);
  table->reloadData();
  for (double offset = 20000 - 480; offset > 20000 - 480 - 60 * 37; offset -= 37) {
    ASSERT_NO_FATAL_FAILURE(scrollTo(offset));
  }
  EXPECT_LE(TextCell::made, mostVisible + 2);

  // Estimated 400 high, 20 high in fact; each jump lands among rows not measured yet.
  rows->estimate = 400;
  rows->textWidths.assign(1000, 0);
  table->reloadData();
  for (double offset = 0; offset < 40000; offset += 4999) ASSERT_NO_FATAL_FAILURE(scrollTo(offset));
  EXPECT_LE(TextCell::made, mostVisible + 2);
}

TEST_F(TableViewTest, AutomaticHeightsFromTheCellsConstraints) {
  // Text 100 points wide at one line; the text area is 320 - 70 = 250 wide.
  rows->counts = {7};
  rows->height = TableView::kAutomaticDimension;
  rows->estimate = 44;
  rows->textWidths = {100, 250, 251, 600, 0, 760};
  rows->emptyRows = {6};
  table->reloadData();
  window->layoutIfNeeded();
  // Lines × 20 + 20 of padding; a cell whose constraints give no height gets the default height.
  const double want[] = {40, 40, 60, 80, 20, 100, 44};
  double y = 0;
  for (int row = 0; row < 7; ++row) {
    Rect rect = table->rectForRow({0, row});
    EXPECT_EQ(rect, (Rect{0, y, 320, want[row]})) << row;
    y += want[row];
  }
  EXPECT_EQ(table->contentSize().height, y);
  auto* cell = static_cast<TextCell*>(table->cellForRow({0, 3}).get());
  EXPECT_EQ(cell->text->frame(), (Rect{10, 10, 250, 60}));

  // A narrower table works the heights out again.
  table->setFrame({0, 0, 200, 480});
  window->layoutIfNeeded();
  EXPECT_EQ(table->rectForRow({0, 1}).height(), 60);  // 250 wide text in 130 points
}

// A cell solves its inside with an engine of its own: a change inside it reaches the screen at the
// window's next layout pass, a flip of direction above it reaches its content, and a constraint
// from inside it to the table is refused with a message instead of pulling on the content.
TEST_F(TableViewTest, ACellLaysOutItsInsideOnItsOwn) {
  rows->counts = {3};
  rows->height = TableView::kAutomaticDimension;
  rows->textWidths = {100, 100, 100};
  table->reloadData();
  window->layoutIfNeeded();
  auto* cell = static_cast<TextCell*>(table->cellForRow({0, 0}).get());

  cell->setText(120);
  window->layoutIfNeeded();
  EXPECT_EQ(cell->text->frame(), (Rect{10, 10, 250, 20}));

  table->setSemanticContentAttribute(SemanticContentAttribute::forceRightToLeft);
  window->layoutIfNeeded();
  EXPECT_EQ(cell->text->frame(), (Rect{60, 10, 250, 20}));
  table->setSemanticContentAttribute(SemanticContentAttribute::unspecified);

  ::testing::internal::CaptureStderr();
  Constraint::activate({cell->text->leadingAnchor().constraintEqualTo(table->leadingAnchor(), 50)});
  window->layoutIfNeeded();
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("inside a cell"), std::string::npos);
  EXPECT_EQ(cell->text->frame(), (Rect{10, 10, 250, 20}));
}

TEST_F(TableViewTest, TapSelectsTheRowButNotThroughItsButton) {
  touch::tap(*window, {100, 175});  // row 3
  EXPECT_EQ(rows->selected, (std::vector<IndexPath>{{0, 3}}));
  EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{0, 3}));
  EXPECT_TRUE(table->cellForRow({0, 3})->isSelected());

  auto* cell = static_cast<TextCell*>(table->cellForRow({0, 5}).get());
  int pressed = 0;
  cell->button->addAction(ControlEvent::touchUpInside, [&] { ++pressed; });
  EXPECT_TRUE(touch::tap(*cell->button));
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(rows->selected.size(), 1u);

  touch::pan(*window, {100, 300}, {100, 200});  // a drag selects nothing
  EXPECT_EQ(rows->selected.size(), 1u);
  table->setAllowsSelection(false);
  touch::tap(*window, {100, 175});
  EXPECT_EQ(rows->selected.size(), 1u);
}

TEST_F(TableViewTest, ScrollToRowPositions) {
  struct Case {
    IndexPath row;
    TableViewScrollPosition position;
    double offset;
  } cases[] = {
      {{0, 100}, TableViewScrollPosition::top, 5000},
      {{0, 100}, TableViewScrollPosition::middle, 5000 + 25 - 240},
      {{0, 100}, TableViewScrollPosition::bottom, 5050 - 480},
      {{0, 999}, TableViewScrollPosition::top, 50000 - 480},  // no further than the end
      {{0, 2}, TableViewScrollPosition::none, 0},             // already on screen
      {{0, 20}, TableViewScrollPosition::none, 1050 - 480},   // just into view
      {{0, kNotFound}, TableViewScrollPosition::bottom, 0},   // ignored
      {{3, 0}, TableViewScrollPosition::top, 0},
  };
  for (const auto& c : cases) {
    table->setContentOffset({0, 0});
    table->scrollToRow(c.row, c.position, false);
    EXPECT_EQ(table->contentOffset().y, c.offset) << c.row.row() << " " << static_cast<int>(c.position);
  }

  table->scrollToRow({0, 300}, TableViewScrollPosition::top, true);
  EXPECT_EQ(table->contentOffset().y, 0);
  clock->advance(Seconds(1));
  EXPECT_EQ(table->contentOffset().y, 15000);
  EXPECT_EQ(table->indexPathsForVisibleRows().front(), (IndexPath{0, 300}));
}

TEST_F(TableViewTest, ScrollToSelfSizingRowLandsOnItsMeasuredEdge) {
  rows->counts = {200};
  rows->height = TableView::kAutomaticDimension;
  rows->estimate = 44;
  rows->textWidths.assign(200, 600);  // 3 lines: 80 high each, not 44
  table->reloadData();
  table->scrollToRow({0, 150}, TableViewScrollPosition::bottom, false);
  Rect row = table->rectForRow({0, 150});
  EXPECT_EQ(row.height(), 80);
  EXPECT_EQ(table->contentOffset().y, row.maxY() - 480);
}

TEST_F(TableViewTest, ReloadAsksAgainAndReplacesTheCells) {
  table->indexPathsForVisibleRows();
  rows->events.clear();
  rows->counts = {2, 3};
  table->reloadData();
  EXPECT_EQ(table->numberOfSections(), 2);
  EXPECT_EQ(table->numberOfRows(1), 3);
  EXPECT_EQ(table->numberOfRows(2), 0);
  EXPECT_EQ(table->indexPathsForVisibleRows(),
            (std::vector<IndexPath>{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}}));
  EXPECT_EQ(std::count_if(rows->events.begin(), rows->events.end(), [](auto& e) { return e.rfind("hide", 0) == 0; }),
            10);
  EXPECT_EQ(table->rectForRow({1, 0}).y(), 100);
  EXPECT_EQ(table->indexPathForRow({10, 160}), (IndexPath{1, 1}));
  EXPECT_EQ(table->indexPathForRow({10, 260}), std::nullopt);

  rows->counts = {};
  table->reloadData();
  EXPECT_TRUE(table->indexPathsForVisibleRows().empty());
  EXPECT_EQ(table->contentSize().height, 0);
}

}  // namespace
}  // namespace ui
