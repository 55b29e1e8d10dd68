// The host of a form's controls without a window: the mouse as the form receives it, and what the
// faces show, what is clicked, when the mouse is held for the form and which tooltip tools exist.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fakes/headless_app.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/headless/headless_backend.h"
#include "ui/menu.h"

namespace {

using ui::MouseButton;
using ui::Point;

// The form's window as far as the host sees it.
class Surface : public ui::WindowlessSurface {
 public:
  bool captured = false;
  std::map<const ui::TControl*, bool> tools;
  void Redraw(const ui::TControl&, bool) override {}
  void CaptureMouse(bool capture) override { captured = capture; }
  void WatchMouseLeave() override {}
  void PutTool(const ui::TControl& control, bool present) override { tools[&control] = present; }
};

class Board : public ui::TForm {
 public:
  Board() : TForm(nullptr, "Board", "", 300, 100) {}
  ui::TSpeedButton A{this, "A", {10, 10, 50, 20}, "A"};
  ui::TSpeedButton B{this, "B", {70, 10, 50, 20}, "B"};
};

class HostTest : public ::testing::Test, protected fake::HeadlessApp {
 protected:
  Board board;
  Surface surface;
  std::map<std::string, int> clicks;
  ui::WindowlessHost& host = board.Windowless();

  void SetUp() override {
    host.SetSurface(&surface);
    for (ui::TSpeedButton* button : {&board.A, &board.B})
      button->OnClick = [this](ui::TObject* sender) { ++clicks[static_cast<ui::TControl*>(sender)->Name()]; };
  }
  void TearDown() override { host.SetSurface(nullptr); }
  // What each button's face shows: "hot", "pressed" or "normal".
  std::string Face(const ui::TControl& c) const {
    return host.Pressed(c) ? "pressed" : host.Hot(c) ? "hot" : "normal";
  }
};

constexpr Point kOnA{20, 15}, kOnB{80, 15}, kOff{200, 80};

// A mouse sequence: moves (m), left presses (d) and releases (u) at points, a leave of the form (l), a
// capture taken by another window (c).
struct Step {
  char what;
  Point at{};
};

struct Row {
  const char* name;
  std::vector<Step> steps;
  const char* faceA;
  const char* faceB;
  int clicksA;
  bool captured;
};

const Row kRows[] = {
    {"Hover", {{'m', kOnA}}, "hot", "normal", 0, false},
    {"HoverAndLeave", {{'m', kOnA}, {'l'}}, "normal", "normal", 0, false},
    {"HoverOntoTheNext", {{'m', kOnA}, {'m', kOnB}}, "normal", "hot", 0, false},
    {"Press", {{'m', kOnA}, {'d', kOnA}}, "pressed", "normal", 0, true},
    {"Click", {{'m', kOnA}, {'d', kOnA}, {'u', kOnA}}, "hot", "normal", 1, false},
    {"DraggedOff", {{'d', kOnA}, {'m', kOff}}, "normal", "normal", 0, true},
    {"DraggedBack", {{'d', kOnA}, {'m', kOff}, {'m', kOnA}}, "pressed", "normal", 0, true},
    {"DraggedOffAndReleased", {{'d', kOnA}, {'m', kOff}, {'u', kOff}}, "normal", "normal", 0, false},
    {"ReleasedOutsideWithoutAMove", {{'d', kOnA}, {'u', kOff}}, "normal", "normal", 0, false},
    {"DraggedBackAndReleased",
     {{'d', kOnA}, {'m', kOff}, {'m', kOnA}, {'u', kOnA}},
     "hot",
     "normal",
     1,
     false},
    {"LeaveWhileHeld", {{'d', kOnA}, {'l'}}, "normal", "normal", 0, true},
    {"LeaveWhileHeldThenReleased", {{'d', kOnA}, {'l'}, {'u', kOff}}, "normal", "normal", 0, false},
    {"HeldOverTheNext", {{'d', kOnA}, {'m', kOnB}}, "normal", "hot", 0, true},
    {"ReleasedOverTheNext", {{'d', kOnA}, {'m', kOnB}, {'u', kOnB}}, "normal", "hot", 0, false},
    {"CaptureTakenAway", {{'d', kOnA}, {'c'}, {'u', kOnA}}, "hot", "normal", 0, false},
    {"ReleaseWithoutPress", {{'m', kOnA}, {'u', kOnA}}, "hot", "normal", 0, false},
};

class MouseSequence : public HostTest, public ::testing::WithParamInterface<Row> {};

TEST_P(MouseSequence, ShowsTheFacesAndClicksAsAButtonDoes) {
  for (const Step& step : GetParam().steps) {
    switch (step.what) {
      case 'm':
        host.MouseMove(step.at);
        break;
      case 'd':
        host.ButtonDown(MouseButton::kLeft, step.at);
        break;
      case 'u':
        host.ButtonUp(MouseButton::kLeft, step.at);
        break;
      case 'l':
        host.MouseLeave();
        break;
      case 'c':
        host.CaptureLost();
        break;
    }
  }
  EXPECT_EQ(Face(board.A), GetParam().faceA);
  EXPECT_EQ(Face(board.B), GetParam().faceB);
  EXPECT_EQ(clicks["A"], GetParam().clicksA);
  EXPECT_EQ(clicks["B"], 0);
  EXPECT_EQ(surface.captured, GetParam().captured);
}

INSTANTIATE_TEST_SUITE_P(Rows, MouseSequence, ::testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(HostTest, GivesPressesToTheTopmostEnabledControlWithItsOwnPoint) {
  ui::TSpeedButton over{&board, "Over", {40, 10, 40, 20}, ""};  // lies over both, painted last
  std::vector<std::string> downs;
  over.OnMouseDown = [&](ui::TObject*, MouseButton button, int x, int y) {
    downs.push_back((button == MouseButton::kRight ? "right " : "left ") + std::to_string(x) + "," +
                    std::to_string(y));
  };
  EXPECT_TRUE(host.ButtonDown(MouseButton::kRight, {45, 12}));
  EXPECT_FALSE(surface.captured);  // only the left button holds a control
  EXPECT_TRUE(host.ButtonDown(MouseButton::kLeft, {79, 29}));
  host.ButtonUp(MouseButton::kLeft, {79, 29});
  EXPECT_EQ(downs, (std::vector<std::string>{"right 5,2", "left 39,19"}));

  over.SetEnabled(false);  // a disabled control takes no mouse: the one beneath it does
  EXPECT_EQ(host.At({45, 12}), &board.A);
  board.A.SetVisible(false);
  EXPECT_EQ(host.At({45, 12}), nullptr);
  EXPECT_FALSE(host.ButtonDown(MouseButton::kLeft, {45, 12}));
}

TEST_F(HostTest, DropsTheMouseOfAControlThatIsDisabledOrGoesWhileHeld) {
  host.ButtonDown(MouseButton::kLeft, kOnA);
  board.A.SetEnabled(false);
  EXPECT_FALSE(surface.captured);
  EXPECT_EQ(Face(board.A), "normal");
  {
    ui::TSpeedButton passing{&board, "Passing", {200, 60, 20, 20}, ""};
    host.ButtonDown(MouseButton::kLeft, {205, 65});
    EXPECT_TRUE(surface.captured);
  }
  EXPECT_FALSE(surface.captured);
  host.ButtonUp(MouseButton::kLeft, {205, 65});  // nothing is left to click
}

TEST_F(HostTest, OpensTheContextMenuOfTheControlUnderTheMouse) {
  ui::TPopupMenu menu{&board, "Menu"};
  board.B.SetPopupMenu(&menu);
  EXPECT_FALSE(host.ContextMenu(kOnA, {500, 400}));
  EXPECT_TRUE(host.ContextMenu(kOnB, {560, 405}));
  ASSERT_EQ(screen.popups.size(), 1u);
  EXPECT_EQ(screen.popups[0].menu, &menu);
  EXPECT_EQ(screen.popups[0].screen, (Point{560, 405}));
}

TEST_F(HostTest, MakesTooltipToolsOnceTheMouseCameOverTheForm) {
  board.A.SetHint("Editor starten");
  board.A.SetShowHint(true);
  EXPECT_TRUE(surface.tools.empty());
  host.MouseMove(kOff);
  EXPECT_EQ(surface.tools, (std::map<const ui::TControl*, bool>{{&board.A, true}}));
  board.B.SetHint("ohne ShowHint");
  board.A.SetVisible(false);
  EXPECT_EQ(surface.tools, (std::map<const ui::TControl*, bool>{{&board.A, false}}));
  board.A.SetVisible(true);
  board.A.SetHint("");
  EXPECT_FALSE(surface.tools[&board.A]);
  EXPECT_EQ(surface.tools.count(&board.B), 0u);
}

}  // namespace
