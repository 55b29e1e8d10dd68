// The host of a form's controls without a window: the mouse as the form receives it, and what the
// faces show, what is clicked, when the mouse is held for the form and which tooltip tools exist.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fakes/headless_app.h"
#include "ui/accessibility.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/headless/headless_backend.h"
#include "ui/menu.h"

namespace {

using ui::MouseButton;
using ui::Point;

// The form's window as far as the host sees it; what screen readers are told, as "focus A".
class Surface : public ui::WindowlessSurface {
 public:
  bool captured = false;
  std::map<const ui::TControl*, bool> tools;
  std::vector<std::string> events;
  void Redraw(const ui::TControl&, bool) override {}
  void CaptureMouse(bool capture) override { captured = capture; }
  void WatchMouseLeave() override {}
  void PutTool(const ui::TControl& control, bool present) override { tools[&control] = present; }
  void Notify(ui::AccessibleEvent event, const ui::TControl& control) override {
    const char* what = event == ui::AccessibleEvent::kFocus        ? "focus "
                       : event == ui::AccessibleEvent::kNameChange ? "name "
                                                                   : "state ";
    events.push_back(what + control.Name());
  }
};

class Board : public ui::TForm {
 public:
  Board() : TForm(nullptr, "Board", "", 300, 100) {
    for (ui::TSpeedButton* button : {&A, &B, &C, &Off}) button->SetTabOrder(7);
    Off.SetEnabled(false);
    Box.SetTabOrder(0);
  }
  ui::TSpeedButton A{this, "A", {10, 10, 50, 20}, "A"};
  ui::TSpeedButton B{this, "B", {70, 10, 50, 20}, "B"};
  ui::TSpeedButton C{this, "C", {130, 10, 50, 20}, "C"};
  ui::TSpeedButton Off{this, "Off", {190, 10, 50, 20}, "Off"};  // disabled: the keys pass it by
  ui::TEdit Box{this, "Box", {10, 50, 100, 21}};
  ui::TBevel Line{this, "Line", {120, 75, 100, 9}};
};

class HostTest : public ::testing::Test, protected fake::HeadlessApp {
 protected:
  Board board;
  Surface surface;
  std::map<std::string, int> clicks;
  ui::WindowlessHost& host = board.Windowless();

  void SetUp() override {
    host.SetSurface(&surface);
    for (ui::TSpeedButton* button : {&board.A, &board.B, &board.C, &board.Off})
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

// A bevel is a line: a press on it holds nothing, shows nothing and tells screen readers nothing.
TEST_F(HostTest, ABevelCannotBeHit) {
  constexpr Point kOnLine{130, 78};
  host.MouseMove(kOnLine);
  EXPECT_FALSE(host.ButtonDown(MouseButton::kLeft, kOnLine));
  EXPECT_FALSE(surface.captured);
  EXPECT_EQ(Face(board.Line), "normal");
  EXPECT_TRUE(surface.events.empty());
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

// The keys of a toolbar, with the focus on one of the buttons: the arrows move it round the group
// (past the disabled one), Home and End to its ends, Space presses until released, Enter clicks, the
// context key opens the button's menu below it. Other keys are not the host's.
TEST_F(HostTest, TakesTheKeysOfAToolbar) {
  using ui::Key;
  ui::TPopupMenu menu{&board, "Menu"};
  board.B.SetPopupMenu(&menu);
  const struct {
    ui::TSpeedButton* from;
    std::vector<Key> keys;
    const char* focused;
    const char* clicked;  // the click counts, as "A1 B0"
    bool taken;
  } rows[] = {
      {&board.A, {Key::kRight}, "B", "A0 B0 C0", true},
      {&board.A, {Key::kDown, Key::kDown}, "C", "A0 B0 C0", true},
      {&board.C, {Key::kRight}, "A", "A0 B0 C0", true},
      {&board.A, {Key::kLeft}, "C", "A0 B0 C0", true},
      {&board.B, {Key::kUp}, "A", "A0 B0 C0", true},
      {&board.B, {Key::kEnd}, "C", "A0 B0 C0", true},
      {&board.C, {Key::kHome}, "A", "A0 B0 C0", true},
      {&board.B, {Key::kReturn}, "B", "A0 B1 C0", true},
      {&board.B, {Key::kSpace}, "B", "A0 B0 C0", true},  // pressed, not yet released
      {&board.A, {Key::kEscape}, "A", "A0 B0 C0", false},
      {&board.A, {Key::kContextMenu}, "A", "A0 B0 C0", false},  // A has no menu
      {&board.B, {Key::kContextMenu}, "B", "A0 B0 C0", true},
  };
  for (const auto& row : rows) {
    clicks.clear();
    row.from->SetFocus();
    bool taken = false;
    for (Key key : row.keys) taken = host.KeyDown(key);
    EXPECT_EQ(taken, row.taken) << row.focused;
    EXPECT_EQ(host.Focused()->Name(), row.focused);
    EXPECT_TRUE(host.Focused()->Focused());
    const std::string counts = "A" + std::to_string(clicks["A"]) + " B" + std::to_string(clicks["B"]) + " C" +
                               std::to_string(clicks["C"]);
    EXPECT_EQ(counts, row.clicked) << row.focused;
    host.KeyUp(Key::kSpace);
  }
  ASSERT_EQ(screen.popups.size(), 1u);
  EXPECT_EQ(screen.popups[0].screen, board.ClientToScreen({70, 30}));  // below the button
  // Space clicks with its release; the edit box takes the focus from the host's controls.
  board.A.SetFocus();
  host.KeyDown(Key::kSpace);
  EXPECT_EQ(Face(board.A), "pressed");
  EXPECT_TRUE(host.KeyUp(Key::kSpace));
  EXPECT_EQ(clicks["A"], 1);
  board.Box.SetFocus();
  EXPECT_FALSE(board.A.Focused());
  EXPECT_FALSE(host.KeyDown(Key::kRight));
}

// The group of speed buttons is one stop of the tab order: the one that had the focus last.
TEST_F(HostTest, MakesTheGroupOneStopOfTheTabOrder) {
  EXPECT_EQ(board.TabStops(), (std::vector<ui::TControl*>{&board.Box, &board.A}));
  board.C.SetFocus();
  EXPECT_EQ(board.TabStops(), (std::vector<ui::TControl*>{&board.Box, &board.C}));
  board.SelectNext(true);
  EXPECT_EQ(board.ActiveControl(), &board.Box);
  board.SelectNext(true);
  EXPECT_EQ(board.ActiveControl(), &board.C);
  EXPECT_TRUE(board.DialogKey(ui::Key::kReturn));  // Enter clicks the focused speed button
  EXPECT_EQ(clicks["C"], 1);
}

// One rule for every way in: a control acts only while it is enabled and its form takes input.
TEST_F(HostTest, ActsOnlyWhileEnabledAndTheFormTakesInput) {
  ui::FormAccessibility access{board};
  const auto mouse = [&] {
    host.ButtonDown(MouseButton::kLeft, kOnA);
    host.ButtonUp(MouseButton::kLeft, kOnA);
  };
  const auto key = [&] {
    board.A.SetFocus();
    host.KeyDown(ui::Key::kSpace);
    host.KeyUp(ui::Key::kSpace);
  };
  const auto action = [&] { access.DoDefaultAction(board.A); };
  const struct {
    bool enabled, takesInput;
    int clicks;
    long unavailable;
  } rows[] = {{true, true, 3, 0},
              {false, true, 0, ui::msaa::kStateUnavailable},
              {true, false, 0, ui::msaa::kStateUnavailable},
              {false, false, 0, ui::msaa::kStateUnavailable}};
  for (const auto& row : rows) {
    clicks.clear();
    board.A.SetEnabled(row.enabled);
    std::optional<ui::TApplication::SystemDialog> box;
    if (!row.takesInput) box.emplace(app);  // a message box in front of the form
    for (const auto& way :
         {std::function<void()>(mouse), std::function<void()>(key), std::function<void()>(action)})
      way();
    EXPECT_EQ(clicks["A"], row.clicks) << row.enabled << row.takesInput;
    EXPECT_EQ(access.State(board.A) & ui::msaa::kStateUnavailable, row.unavailable);
    EXPECT_EQ(access.DefaultAction(board.A).has_value(), row.clicks > 0);
  }
}

// Screen readers are told each change: the focus, a press and its release, hot and cold, enabled
// and disabled, a new caption.
TEST_F(HostTest, TellsScreenReadersOfEachChange) {
  const struct {
    const char* name;
    std::function<void()> change;
    std::vector<std::string> events;
  } rows[] = {
      {"focus", [&] { board.B.SetFocus(); }, {"focus B"}},
      {"arrow", [&] { host.KeyDown(ui::Key::kRight); }, {"focus C"}},
      {"hover", [&] { host.MouseMove(kOnA); }, {"state A"}},
      {"onto the next", [&] { host.MouseMove(kOnB); }, {"state A", "state B"}},
      {"press", [&] { host.ButtonDown(MouseButton::kLeft, kOnB); }, {"state B"}},
      {"release", [&] { host.ButtonUp(MouseButton::kLeft, kOnB); }, {"state B"}},
      {"space", [&] { host.KeyDown(ui::Key::kSpace); }, {"state C"}},
      {"space up", [&] { host.KeyUp(ui::Key::kSpace); }, {"state C"}},
      {"disabled", [&] { board.A.SetEnabled(false); }, {"state A"}},
      {"new caption", [&] { board.B.SetText("Neu"); }, {"name B"}},
      {"same caption", [&] { board.B.SetText("Neu"); }, {}},
  };
  for (const auto& row : rows) {
    surface.events.clear();
    row.change();
    EXPECT_EQ(surface.events, row.events) << row.name;
  }
}

}  // namespace
