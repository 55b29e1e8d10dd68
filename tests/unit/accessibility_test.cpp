// What the accessibility interface reports for a form: its controls as children, the answers for those
// without a window, the element at a point and the steps from one child to the next.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fakes/headless_app.h"
#include "ui/accessibility.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/headless/headless_backend.h"

namespace {

namespace msaa = ui::msaa;
using Kind = ui::AccessibleTarget::Kind;
using Target = ui::AccessibleTarget;

class Board : public ui::TForm {
 public:
  Board() : TForm(nullptr, "Board", "", 300, 100) {
    Both.SetHint("Texteditor");
    HintOnly.SetHint("Drucker");
    Hidden.SetVisible(false);
    Disabled.SetEnabled(false);
  }
  // Their child ids are the order in which the windows are made: the label first (no Tab stops here).
  ui::TSpeedButton Both{this, "Both", {10, 10, 50, 20}, "Editor"};       // 2
  ui::TSpeedButton HintOnly{this, "HintOnly", {70, 10, 50, 20}};         // 3
  ui::TBevel Line{this, "Line", {10, 40, 200, 9}};                       // 4
  ui::TLabel Caption{this, "Caption", {50, 35, 60, 13}, "Titel"};        // 1: a window, over the line
  ui::TSpeedButton Hidden{this, "Hidden", {10, 60, 50, 20}, "Weg"};      // 5
  ui::TSpeedButton Disabled{this, "Disabled", {70, 60, 50, 20}, "Aus"};  // 6, under 7
  ui::TSpeedButton Over{this, "Over", {100, 65, 50, 20}, "Oben"};        // 7
};

class AccessibilityTest : public ::testing::Test, protected fake::HeadlessApp {
 protected:
  Board board;
  ui::FormAccessibility access{board};
};

// A screen reader's next step is where Tab goes, whatever the order of declaration.
TEST_F(AccessibilityTest, StepsAsTheTabKeyGoes) {
  board.Over.SetTabOrder(0);
  board.Both.SetTabOrder(1);
  EXPECT_EQ(access.Navigate(msaa::kNavigateFirstChild, msaa::kSelf),
            (Target{Kind::kChild, access.IdOf(board.Over)}));
  EXPECT_EQ(access.Navigate(msaa::kNavigateNext, access.IdOf(board.Over)),
            (Target{Kind::kChild, access.IdOf(board.Both)}));
}

TEST_F(AccessibilityTest, AnswersForEachControlWithoutAWindowAndClicksOnlyWhatCanBePressed) {
  using Text = std::optional<std::string>;
  const struct {
    long id, role;
    Text name, description;
    long state;
    Text action;
  } rows[] = {
      {2, msaa::kRolePushButton, "Editor", "Texteditor", 0, "Drücken"},
      {3, msaa::kRolePushButton, "Drucker", "Drucker", 0, "Drücken"},  // known by its tooltip
      {4, msaa::kRoleSeparator, {}, {}, 0, {}},
      {5, msaa::kRolePushButton, "Weg", {}, msaa::kStateInvisible, {}},
      {6, msaa::kRolePushButton, "Aus", {}, msaa::kStateUnavailable, {}},
  };
  ASSERT_EQ(access.ChildCount(), 7);
  EXPECT_EQ(access.Child(8), nullptr);
  for (const auto& row : rows) {
    const ui::TControl& control = *access.Child(row.id);
    EXPECT_EQ(access.Role(control), row.role) << row.id;
    EXPECT_EQ(access.Name(control), row.name) << row.id;
    EXPECT_EQ(access.Description(control), row.description) << row.id;
    EXPECT_EQ(access.State(control), row.state) << row.id;
    EXPECT_EQ(access.DefaultAction(control), row.action) << row.id;
  }
  board.Windowless().ButtonDown(ui::MouseButton::kLeft, {20, 15});
  EXPECT_EQ(access.State(board.Both), msaa::kStateHotTracked | msaa::kStatePressed);

  int clicks = 0;
  board.Both.OnClick = board.Disabled.OnClick = [&](ui::TObject*) { ++clicks; };
  EXPECT_TRUE(access.DoDefaultAction(board.Both));
  EXPECT_FALSE(access.DoDefaultAction(board.Disabled));
  EXPECT_EQ(clicks, 1);
}

TEST_F(AccessibilityTest, FindsTheElementAtAPointAsTheScreenShowsIt) {
  const std::pair<ui::Point, Target> rows[] = {
      {{20, 15}, {Kind::kChild, 2}},  {{190, 45}, {Kind::kChild, 4}},
      {{60, 42}, {Kind::kChild, 1}},  // the label's window covers the line the form paints
      {{20, 70}, {Kind::kSelf}},      // the hidden button is not there
      {{80, 62}, {Kind::kChild, 6}},  // a disabled one is
      {{110, 70}, {Kind::kChild, 7}}, {{300, 50}, {Kind::kNothing}},
  };
  for (const auto& [at, target] : rows) EXPECT_EQ(access.HitTest(at), target) << at.x << "," << at.y;
}

TEST_F(AccessibilityTest, StepsThroughTheVisibleChildrenInTheFormsOrder) {
  const struct {
    long direction, from;
    Target to;
  } rows[] = {
      {msaa::kNavigateFirstChild, msaa::kSelf, {Kind::kChild, 1}},
      {msaa::kNavigateLastChild, msaa::kSelf, {Kind::kChild, 7}},
      {msaa::kNavigateNext, 4, {Kind::kChild, 6}},  // past the hidden one
      {msaa::kNavigatePrevious, 6, {Kind::kChild, 4}},
      {msaa::kNavigatePrevious, 2, {Kind::kChild, 1}},
      {msaa::kNavigateNext, 7, {Kind::kNothing}},
      {msaa::kNavigateNext, msaa::kSelf, {Kind::kSystem}},
      {msaa::kNavigateDown, 3, {Kind::kNotSupported}},
      {msaa::kNavigateNext, 8, {Kind::kInvalid}},
      {9, 1, {Kind::kInvalid}},
  };
  for (const auto& row : rows)
    EXPECT_EQ(access.Navigate(row.direction, row.from), row.to) << row.direction << " from " << row.from;
}

}  // namespace
