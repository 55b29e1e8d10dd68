// The toolkit's own rules, on the headless backend: lookup by name, tab order, the dialog keys, the
// guard around handlers, sorted lists and status panels.
#include <gtest/gtest.h>

#include "base/error.h"
#include "base/short_text.h"
#include "fakes/headless_app.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/headless/headless_backend.h"
#include "ui/menu.h"

namespace {

class Dialog : public ui::TForm {
 public:
  explicit Dialog(ui::TComponent* owner) : TForm(owner, "Dialog", "Test", 200, 100) {
    Edit.SetTabOrder(0);
    Ok.SetTabOrder(1);
    Cancel.SetTabOrder(2);
    Other.SetTabOrder(3);
    Ok.SetDefault(true);
    Ok.SetModalResult(ui::mrOk);
    Cancel.SetCancel(true);
    Cancel.SetModalResult(ui::mrCancel);
  }
  ui::TEdit Edit{this, "Edit", {0, 0, 10, 10}};
  ui::TLabel Label{this, "Label", {0, 0, 10, 10}, "x"};
  ui::TButton Ok{this, "OkBtn", {0, 0, 10, 10}, "OK"};
  ui::TButton Cancel{this, "CancelBtn", {0, 0, 10, 10}, "Abbrechen"};
  ui::TButton Other{this, "Other", {0, 0, 10, 10}, "Andere"};
};

class ToolkitTest : public ::testing::Test, protected fake::HeadlessApp {
 protected:
  Dialog* dialog = nullptr;
  void SetUp() override { app.CreateForm(dialog); }
};

TEST_F(ToolkitTest, FindsComponentsByNameWithoutRegardToCase) {
  EXPECT_EQ(dialog->FindComponent("okbtn"), &dialog->Ok);
  EXPECT_EQ(dialog->FindComponent("Label"), &dialog->Label);
  EXPECT_EQ(dialog->FindComponent("Missing"), nullptr);
}

TEST_F(ToolkitTest, TabMovesThroughTheTabOrderAndWraps) {
  dialog->Edit.SetFocus();
  dialog->SelectNext(true);
  EXPECT_TRUE(dialog->Ok.Focused());
  dialog->Cancel.SetEnabled(false);  // a disabled control is skipped
  dialog->SelectNext(true);
  EXPECT_TRUE(dialog->Other.Focused());
  dialog->SelectNext(true);
  EXPECT_TRUE(dialog->Edit.Focused());
  dialog->SelectNext(false);
  EXPECT_TRUE(dialog->Other.Focused());
}

TEST_F(ToolkitTest, EnterPressesTheFocusedButtonElseTheDefaultAndEscapeTheCancelButton) {
  int pressed = 0;
  dialog->Other.OnClick = [&](ui::TObject*) { ++pressed; };
  dialog->Other.SetFocus();
  EXPECT_TRUE(dialog->DialogKey(ui::Key::kReturn));
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(dialog->ModalResult(), ui::mrNone);

  dialog->Edit.SetFocus();
  EXPECT_TRUE(dialog->DialogKey(ui::Key::kReturn));
  EXPECT_EQ(dialog->ModalResult(), ui::mrOk);
  EXPECT_TRUE(dialog->DialogKey(ui::Key::kEscape));
  EXPECT_EQ(dialog->ModalResult(), ui::mrCancel);

  dialog->Cancel.SetCancel(false);
  dialog->Ok.SetDefault(false);
  EXPECT_FALSE(dialog->DialogKey(ui::Key::kEscape));
  EXPECT_FALSE(dialog->DialogKey(ui::Key::kReturn));
}

TEST_F(ToolkitTest, AnErrorInAHandlerBecomesAnErrorBoxTitledWithTheApplication) {
  dialog->Ok.OnClick = [](ui::TObject*) { throw base::EError("Win32-Fehler. Code: 5."); };
  dialog->Ok.Click();  // returns: the error does not go past the handler
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(screen.messageBoxes[0].text, "Win32-Fehler. Code: 5.");
  EXPECT_EQ(screen.messageBoxes[0].caption, "Morvela");
  EXPECT_EQ(screen.messageBoxes[0].flags, ui::kMbOk | ui::kMbIconError);
}

TEST_F(ToolkitTest, AModalFormClosedThroughItsCloseBoxEndsWithCancel) {
  screen.onModal = [](ui::TForm&) {};
  EXPECT_EQ(dialog->ShowModal(), ui::mrCancel);
  screen.onModal = [](ui::TForm& form) { static_cast<Dialog&>(form).Ok.Click(); };
  EXPECT_EQ(dialog->ShowModal(), ui::mrOk);
  EXPECT_FALSE(dialog->Visible());
}

TEST_F(ToolkitTest, AListKeepsItsEntriesSortedAndDropsTheSelectionOnRefill) {
  ui::TListBox list(dialog, "List", {0, 0, 10, 10});
  list.ReplaceItems({"laser 2", "\\\\srv\\Farbe", "Laser 1", "Buero"});
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"\\\\srv\\Farbe", "Buero", "Laser 1", "laser 2"}));
  list.SetItemIndex(2);
  EXPECT_EQ(list.ItemIndex(), 2);
  list.ReplaceItems({"A"});
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItemIndex(5);
  EXPECT_EQ(list.ItemIndex(), -1);
}

TEST_F(ToolkitTest, AMenuItemThatIsDisabledDoesNothing) {
  ui::TMenuItem item(dialog, "Item", "Eintrag");
  int runs = 0;
  item.OnClick = [&](ui::TObject*) { ++runs; };
  item.Click();
  item.SetEnabled(false);
  item.Click();
  EXPECT_EQ(runs, 1);
}

TEST_F(ToolkitTest, AStatusPanelSetToTheTextItShowsAsksForNoRepaint) {
  ui::TStatusBar bar(dialog, "Bar", {0, 84, 200, 16});
  bar.AddPanel({"eins", 100, 3});
  bar.AddPanel({"zwei", 50, 3});
  bar.SetPanelText(0, "neu");
  EXPECT_EQ(bar.LastChangedPanel(), 0u);
  bar.SetPanelText(1, "zwei");  // unchanged: nothing to draw again
  EXPECT_EQ(bar.LastChangedPanel(), 0u);
  bar.SetPanelText(1, "drei");
  EXPECT_EQ(bar.LastChangedPanel(), 1u);
  EXPECT_THROW(bar.SetPanelText(2, "x"), base::EError);
}

TEST_F(ToolkitTest, ASpeedButtonWithoutATabOrderNeverTakesTheFocus) {
  ui::TSpeedButton button(dialog, "Speed", {0, 0, 20, 20}, "S");
  EXPECT_FALSE(button.CanFocus());
  dialog->Edit.SetFocus();
  for (int i = 0; i < 5; ++i) {
    dialog->SelectNext(true);
    EXPECT_FALSE(button.Focused());
  }
}

// The windows are made in the tab order, each named box after the label that names it, then the
// other labels, then the rest (here the line).
TEST_F(ToolkitTest, MakesTheWindowsInTheTabOrderWithTheirLabelsBeforeThem) {
  class Named : public ui::TForm {
   public:
    Named() : TForm(nullptr, "Named", "", 200, 100) {
      Box.SetTabOrder(1);
      Button.SetTabOrder(0);
      NamesBox.FocusControl = &Box;
    }
    ui::TLabel Plain{this, "Plain", {}, "frei"};
    ui::TBevel Line{this, "Line", {}};
    ui::TEdit Box{this, "Box", {}};
    ui::TLabel NamesBox{this, "NamesBox", {}, "Box:"};
    ui::TButton Button{this, "Button", {}, "OK"};
  } named;
  std::vector<std::string> order;
  for (ui::TControl* control : ui::CreationOrder(named)) order.push_back(control->Name());
  EXPECT_EQ(order, (std::vector<std::string>{"Button", "NamesBox", "Box", "Plain", "Line"}));
}

TEST(ShortText, CutsAtTheTwoHundredFiftyFifthCharacter) {
  for (const std::size_t length : {0u, 254u, 255u, 256u, 4000u})
    EXPECT_EQ(base::ShortText(std::string(length, 'x')).str(),
              std::string(std::min<std::size_t>(length, 255), 'x'))
        << length;
}

}  // namespace
