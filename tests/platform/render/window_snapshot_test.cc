#include "platform/render/window_snapshot.h"

#include <gtest/gtest.h>

#include "platform/dispatch/main_loop.h"
#include "platform/ui/constraint.h"
#include "platform/ui/controller_view.h"
#include "platform/ui/label.h"
#include "platform/ui/navigation_controller.h"
#include "platform/ui/table_view.h"
#include "tests/platform/render/snapshot_testing.h"

namespace render {
namespace {

using namespace ui;
using testing::expectMatchesReference;

// A row of wrapping text: its height comes from its constraints.
class TextRow : public TableViewCell {
 public:
  std::shared_ptr<Label> label = std::make_shared<Label>();

  TextRow() {
    label->setNumberOfLines(0);
    label->setFont(Font::systemFont(15));
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    const auto& content = contentView();
    content->addSubview(label);
    Constraint::activate({
        label->topAnchor().constraintEqualTo(content->topAnchor(), 12),
        label->leadingAnchor().constraintEqualTo(content->leadingAnchor(), 16),
        label->trailingAnchor().constraintEqualTo(content->trailingAnchor(), -16),
        label->bottomAnchor().constraintEqualTo(content->bottomAnchor(), -12),
    });
  }
};

class ListScreen : public ViewController, public TableViewDataSource, public TableViewDelegate {
 public:
  std::vector<std::string> texts = {
      "앱 설치 후 실행하면 500 포인트",
      "회원가입을 완료하고 첫 구매를 하면 적립금을 드려요. 참여 조건을 꼭 확인해 주세요.",
      "Short row",
      "A longer row in English that wraps onto a second line and maybe a third when the screen is narrow",
      "퀴즈 맞히기",
      "매일 출석하고 보상 받기: 7일 연속으로 출석하면 추가 보상이 있어요",
  };
  std::shared_ptr<TableView> table;

  void loadView() override {
    table = std::make_shared<ControllerView<TableView>>();
    table->setBackgroundColor(Color::white());
    table->registerCell<TextRow>("text");
    table->setRowHeight(TableView::kAutomaticDimension);
    setView(table);
  }
  void viewDidLoad() override {
    auto self = std::dynamic_pointer_cast<ListScreen>(shared_from_this());
    table->setDataSource(std::static_pointer_cast<TableViewDataSource>(self));
    table->setDelegate(std::static_pointer_cast<TableViewDelegate>(self));
  }
  int numberOfRows(TableView&, int) override { return static_cast<int>(texts.size()); }
  std::shared_ptr<TableViewCell> cellForRow(TableView& tableView, const IndexPath& indexPath) override {
    auto cell = std::static_pointer_cast<TextRow>(tableView.dequeueReusableCell("text", indexPath));
    cell->label->setText(texts[static_cast<std::size_t>(indexPath.row())]);
    return cell;
  }
};

class WindowSnapshotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto home = std::make_shared<ViewController>();
    home->setTitle("홈");
    list_->setTitle("Offers");
    auto navigation = std::make_shared<NavigationController>(home);
    NavigationBarAppearance appearance;
    appearance.configureWithOpaqueBackground();
    appearance.backgroundColor = Color(0.96, 0.96, 0.98);
    navigation->navigationBar().setStandardAppearance(appearance);
    navigation->pushViewController(list_, false);
    window_->setRootViewController(navigation);
    window_->makeKeyAndVisible();
  }

  dispatch::main_loop::TestScope scope_;
  dispatch::ScopedManualClock clock_;
  std::shared_ptr<Window> window_ = std::make_shared<Window>();
  std::shared_ptr<ListScreen> list_ = std::make_shared<ListScreen>();
};

TEST_F(WindowSnapshotTest, NavigationStackOfSelfSizingRowsMatchesTheReference) {
  auto image = snapshot(*window_, 1);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->pixelWidth(), 390);
  EXPECT_EQ(image->pixelHeight(), 844);
  expectMatchesReference(image, "window_navigation_rows");
}

}  // namespace
}  // namespace render
