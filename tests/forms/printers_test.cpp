// The printer actions and the printer chooser.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "forms/form_fixture.h"

namespace {

class PrintersTest : public ProgramTest {
 protected:
  void SetUp() override {
    system.printers = {"Laser 2", "\\\\druckserver\\Farbe", "Laser 1", "buero", "\xC4rger", "Arbeit"};
    Start();
  }
  // The operator's part while the chooser is open.
  void InChooser(const std::function<void(TFormDruckerList&)>& steps) {
    screen.onModal = [steps](ui::TForm& form) {
      ASSERT_EQ(&form, FormDruckerList);
      steps(*FormDruckerList);
    };
  }
  void Select(TFormDruckerList& chooser, const std::string& name) {
    const auto& items = chooser.ListBox1.Items();
    chooser.ListBox1.SetItemIndex(
        static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin()));
  }
};

TEST_F(PrintersTest, PreparesTheInstallationForThisComputer) {
  Main().XPBitBtnDruckerInstallieren.Click();
  EXPECT_EQ(Main().EditPfad.Text(), "rundll32 printui.dll,PrintUIEntry /il /c\\\\PC01");
  EXPECT_EQ(Main().LabelInfo.Text(), "Drucker-Installation");
  Main().EditPfad.SetText("");
  system.computerName.reset();  // asked anew each time
  Main().Druckerinstallieren1.Click();
  EXPECT_EQ(Main().EditPfad.Text(), "rundll32 printui.dll,PrintUIEntry /il /c\\\\");
  EXPECT_TRUE(system.launches.empty());
}

// Sorted as by the user's locale: "Ärger" stands among the A's. Every showing starts on "Abbrechen",
// also after the focus was elsewhere when the chooser last closed.
TEST_F(PrintersTest, ListsThePrintersSortedAndDeletesTheChosenOne) {
  std::vector<std::string> listed;
  int selectedAtOpening = 0;
  InChooser([&](TFormDruckerList& chooser) {
    listed = chooser.ListBox1.Items();
    selectedAtOpening = chooser.ListBox1.ItemIndex();
    EXPECT_TRUE(chooser.CancelBtn.Focused());
    EXPECT_EQ(chooser.Caption(), "Drucker zum Löschen auswählen");
    chooser.ListBox1.SetFocus();
    Select(chooser, "Laser 1");
    chooser.ButtonAuswaehlen.Click();
  });
  Main().Druckerentfernen1.Click();
  EXPECT_EQ(listed, (std::vector<std::string>{"\\\\druckserver\\Farbe", "Arbeit", "\xC4rger", "buero",
                                              "Laser 1", "Laser 2"}));
  EXPECT_EQ(selectedAtOpening, -1);
  Main().Druckerentfernen1.Click();  // the second showing checks the focus again
  EXPECT_EQ(Main().EditPfad.Text(), "rundll32 printui.dll,PrintUIEntry /dl /n \"Laser 1\"");
  EXPECT_EQ(Main().LabelInfo.Text(), "Drucker löschen");
}

TEST_F(PrintersTest, ADoubleClickChoosesLikeAuswaehlen) {
  InChooser([&](TFormDruckerList& chooser) {
    Select(chooser, "buero");
    chooser.ListBox1.DblClick();
  });
  Main().Druckerentfernen1.Click();
  EXPECT_EQ(Main().EditPfad.Text(), "rundll32 printui.dll,PrintUIEntry /dl /n \"buero\"");
}

TEST_F(PrintersTest, CancellingOrEnterInTheListGivesAnEmptyName) {
  InChooser([&](TFormDruckerList& chooser) {
    Select(chooser, "Laser 2");
    chooser.CancelBtn.Click();
  });
  Main().Druckerentfernen1.Click();
  EXPECT_EQ(Main().EditPfad.Text(), "rundll32 printui.dll,PrintUIEntry /dl /n \"\"");
  InChooser([&](TFormDruckerList& chooser) {
    chooser.ListBox1.SetFocus();
    Select(chooser, "Laser 2");
    chooser.DialogKey(ui::Key::kReturn);  // the default button is "Abbrechen"
  });
  Main().DruckerEigeschaften1.Click();
  EXPECT_EQ(Main().EditPfad.Text(), "rundll32 printui.dll,PrintUIEntry /p /n\"\\\\PC01\\\"");
  InChooser([&](TFormDruckerList& chooser) { chooser.ButtonAuswaehlen.Click(); });  // nothing selected
  Main().Druckerentfernen1.Click();
  EXPECT_EQ(FormDruckerList->SelectedPrinter, "");
}

TEST_F(PrintersTest, TheCloseBoxKeepsThePreviousChoice) {
  InChooser([&](TFormDruckerList& chooser) {
    Select(chooser, "Laser 2");
    chooser.ButtonAuswaehlen.Click();
  });
  Main().Druckerentfernen1.Click();
  InChooser([&](TFormDruckerList& chooser) {
    Select(chooser, "buero");
    chooser.Close();
  });
  Main().DruckerEigeschaften1.Click();
  EXPECT_EQ(Main().EditPfad.Text(), "rundll32 printui.dll,PrintUIEntry /p /n\"\\\\PC01\\Laser 2\"");
  EXPECT_EQ(Main().LabelInfo.Text(), "Druckereigeschaften");
  EXPECT_EQ(FormDruckerList->Caption(), "Drucker. Eigeschaften des ausgewählten Druckers");
}

TEST_F(PrintersTest, EnumeratesAnewAtEveryUse) {
  std::vector<std::string> listed;
  InChooser([&](TFormDruckerList& chooser) { listed = chooser.ListBox1.Items(); });
  Main().Druckerentfernen1.Click();
  system.printers.push_back("Neu");
  Main().Druckerentfernen1.Click();
  EXPECT_EQ(listed.size(), 7u);
  EXPECT_EQ(system.printerEnumerations, 2);
  EXPECT_EQ(FormDruckerList->Caption(), "Drucker zum Löschen auswählen");  // set anew per action
}

TEST_F(PrintersTest, ShowsAnEmptyListWithoutPrintersOrWhenTheEnumerationFails) {
  std::size_t count = 99;
  InChooser([&](TFormDruckerList& chooser) { count = chooser.ListBox1.Items().size(); });
  system.printerFillFails = true;
  Main().Druckerentfernen1.Click();
  EXPECT_EQ(count, 0u);
  system.printerFillFails = false;
  system.printers.clear();
  count = 99;
  Main().Druckerentfernen1.Click();
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(Main().EditPfad.Text(), "rundll32 printui.dll,PrintUIEntry /dl /n \"\"");
}

TEST_F(PrintersTest, CutsTheCommandOfAVeryLongPrinterNameTo255) {
  system.printers = {std::string(300, 'P')};
  InChooser([&](TFormDruckerList& chooser) {
    chooser.ListBox1.SetItemIndex(0);
    chooser.ButtonAuswaehlen.Click();
  });
  Main().Druckerentfernen1.Click();
  EXPECT_EQ(FormDruckerList->SelectedPrinter, std::string(255, 'P'));
  const std::string command = Main().EditPfad.Text();
  EXPECT_EQ(command.size(), 255u);
  EXPECT_EQ(command.back(), 'P');  // the closing quote is lost
  Main().DruckerEigeschaften1.Click();
  EXPECT_EQ(Main().EditPfad.Text().size(), 255u);
}

TEST_F(PrintersTest, PlacesTheChooserBesideTheMainWindow) {
  ui::Point at;
  InChooser([&](TFormDruckerList& chooser) { at = {chooser.Left(), chooser.Top()}; });
  Main().SetLeft(-10);
  Main().SetTop(100);
  Main().Druckerentfernen1.Click();
  EXPECT_EQ(at, (ui::Point{0, 160}));
  Main().SetLeft(200);
  Main().SetTop(-5);
  Main().Druckerentfernen1.Click();
  EXPECT_EQ(at, (ui::Point{285, 0}));
}

// The information dialog.
class InfoTest : public ProgramTest {
 protected:
  bool linkShown = false;
  void SetUp() override {
    Start();
    screen.onModal = [this](ui::TForm& form) {
      ASSERT_EQ(&form, FormInfo);
      linkShown = FormInfo->Label3.Visible();
      FormInfo->OKBtn.Click();
    };
  }
};

TEST_F(InfoTest, ShowsTheProgramAndHidesTheLinkOnlyInTheMakersDomain) {
  EXPECT_EQ(FormInfo->Label2.Text(), "Programmname: Morvela Ver. 1.2");
  EXPECT_EQ(FormInfo->Label4.Text(), "Datum: 21.04.2011");
  EXPECT_EQ(FormInfo->Label1.Text().rfind("Programmierer: ", 0), 0u);
  EXPECT_EQ(FormInfo->Position(), ui::FormPosition::kScreenCenter);
  for (const auto& [domain, shown] : std::vector<std::pair<std::string, bool>>{
           {"MORVELA", false}, {"morVela", false}, {"WERKSTATT", true}, {"", true}, {"MORVELA ", true}}) {
    Main().LabelDom.SetText(domain);
    ClickOn(Main().XPSpeedButton7);
    EXPECT_EQ(linkShown, shown) << "[" << domain << "]";
  }
}

TEST_F(InfoTest, OpensTheAddressForTheCurrentUser) {
  FormInfo->Label3.Click();
  ASSERT_EQ(system.shellOpened.size(), 1u);
  EXPECT_EQ(system.shellOpened[0], "open http://www.morvela.example 5");
  EXPECT_TRUE(system.launches.empty());
}

TEST_F(InfoTest, ClosesOnEnterButNotOnEscape) {
  EXPECT_FALSE(FormInfo->DialogKey(ui::Key::kEscape));
  EXPECT_EQ(FormInfo->ModalResult(), ui::mrNone);
  EXPECT_TRUE(FormInfo->DialogKey(ui::Key::kReturn));
  EXPECT_EQ(FormInfo->ModalResult(), ui::mrOk);
}

}  // namespace
