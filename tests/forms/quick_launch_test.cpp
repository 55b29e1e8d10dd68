// The six quick-launch buttons: loading their entries, launching one with its retry through the
// password dialog, and the administrator gate in front of the editor.
#include <gtest/gtest.h>

#include <climits>

#include "forms/form_fixture.h"

namespace {

const std::string D(1, '\x08');

class QuickLaunchTest : public ProgramTest {
 protected:
  void StartWithEntries() {
    WriteEntries({{3, "Konsole", "cmd.exe", "Eingabeaufforderung"},
                  {1, "Editor", "C:\\Windows\\notepad.exe", ""},
                  {2, "Dienste", "C:\\WINDOWS\\system32\\services.msc", "Dienste verwalten"}});
    Start();
  }
  // The password dialog as the operator answers it.
  void AnswerPasswordDialog(const std::string& password, bool ok) {
    screen.onModal = [=](ui::TForm& form) {
      ASSERT_EQ(&form, FormPass);
      FormPass->EditPasswd.SetText(password);
      (ok ? FormPass->OKBtn : FormPass->CancelBtn).Click();
    };
  }
};

TEST_F(QuickLaunchTest, PutsTheSixEntriesIntoTheTableAndOntoTheButtons) {
  std::string content = "[SpeedButton7]\nText=sieben\n[SpeedButton0]\nText=null\n";
  content += "[SpeedButton5]\nPfad=C:\\nur\\pfad.exe\nWeiteres=egal\n";
  content += "[SpeedButton2]\nHint=nur ein Hinweis\n";
  system.WriteFile(kSettings, content);
  Start();
  ASSERT_EQ(Main().ColumnListBox1.Count(), 6u);
  EXPECT_EQ(Main().ColumnListBox1.Row(0), D + D);
  EXPECT_EQ(Main().ColumnListBox1.Row(1), D + D + "nur ein Hinweis");
  EXPECT_EQ(Main().ColumnListBox1.Row(4), D + "C:\\nur\\pfad.exe" + D);
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(Quick(n).Text(), "") << n;
  EXPECT_TRUE(Quick(2).ShowHint());
  EXPECT_EQ(Quick(2).Hint(), "nur ein Hinweis");
  EXPECT_FALSE(Quick(5).ShowHint());

  Main().EditPasswort.SetText("Geheim-123");
  ClickOn(Quick(5));  // an entry with a path and no caption still starts
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_EQ(system.launches[0].commandLine, "\"C:\\nur\\pfad.exe\"");
}

TEST_F(QuickLaunchTest, ShowsCaptionsAndTooltipsInWhateverOrderTheSectionsStand) {
  StartWithEntries();
  EXPECT_EQ(Quick(1).Text(), "Editor");
  EXPECT_EQ(Quick(2).Text(), "Dienste");
  EXPECT_EQ(Quick(3).Text(), "Konsole");
  EXPECT_FALSE(Quick(1).ShowHint());
  EXPECT_TRUE(Quick(3).ShowHint());
  EXPECT_EQ(Quick(3).Hint(), "Eingabeaufforderung");
  EXPECT_EQ(Main().ColumnListBox1.Row(2), "Konsole" + D + "cmd.exe" + D + "Eingabeaufforderung");
  EXPECT_EQ(Main().ColumnListBox1.Row(5), D + D);
}

// Caption and tooltip are cut to 255 characters; the path is kept whole, and its launch is refused.
TEST_F(QuickLaunchTest, CutsLoadedCaptionsTo255CharactersButNotThePath) {
  WriteEntries({{4, std::string(300, 't'), "C:\\" + std::string(297, 'p'), std::string(300, 'h')}});
  Start();
  EXPECT_EQ(Quick(4).Text(), std::string(255, 't'));
  EXPECT_EQ(Quick(4).Hint(), std::string(255, 'h'));
  EXPECT_EQ(Main().ColumnListBox1.GetItemColumn(3, 1).size(), 300u);
  ClickOn(Quick(4));
  EXPECT_TRUE(system.launches.empty());
  EXPECT_EQ(screen.modalForms.size(), 0u);  // no password dialog: the password is not what is wrong
  EXPECT_EQ(LastBox().text, kRefusedTooLong);
}

// A stored value with the column delimiter in it must not move the path into another column: the
// button starts its own path, never a piece of its caption.
TEST_F(QuickLaunchTest, KeepsTheColumnsWhenAValueHoldsTheDelimiter) {
  WriteEntries({{1, "A" + D + "B", "C:\\Tools\\eigenes.exe", "h" + D + "x"}});
  Start();
  EXPECT_EQ(Main().ColumnListBox1.Row(0), "AB" + D + "C:\\Tools\\eigenes.exe" + D + "hx");
  EXPECT_EQ(Quick(1).Text(), "AB");
  Main().EditPasswort.SetText("Geheim-123");
  ClickOn(Quick(1));
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_EQ(system.launches[0].commandLine, "\"C:\\Tools\\eigenes.exe\"");
}

TEST_F(QuickLaunchTest, StartsTheEntryOfTheClickedButtonWithoutAQuestion) {
  StartWithEntries();
  Main().EditPasswort.SetText("Geheim-123");
  ClickOn(Quick(2));
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_EQ(system.launches[0].commandLine, "mmc.exe \"C:\\WINDOWS\\system32\\services.msc\"");
  EXPECT_EQ(system.launches[0].domain, "WERKSTATT");
  EXPECT_TRUE(screen.modalForms.empty());
  EXPECT_TRUE(screen.messageBoxes.empty());
}

TEST_F(QuickLaunchTest, AsksForThePasswordAfterAFailureAndKeepsTheCorrectedOne) {
  StartWithEntries();
  bool prefilled = false;
  screen.onModal = [&](ui::TForm&) {
    prefilled = FormPass->LabelAdmin.Text() == "Administrator" &&
                FormPass->LabelDomaene.Text() == "WERKSTATT" && FormPass->EditPasswd.Text().empty() &&
                FormPass->EditPasswd.Focused();
    FormPass->EditPasswd.SetText("Geheim-123");
    PressEnter(FormPass->EditPasswd);  // Enter confirms
  };
  ClickOn(Quick(3));
  EXPECT_TRUE(prefilled);
  // The account is logged on before each launch: a wrong password fails there, with no launch.
  ASSERT_EQ(system.logons.size(), 2u);
  EXPECT_FALSE(system.logons[0].passwordAccepted);
  EXPECT_TRUE(system.logons[1].passwordAccepted);
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_TRUE(system.launches[0].passwordAccepted);
  EXPECT_EQ(system.launches[0].commandLine, "\"cmd.exe\"");
  EXPECT_EQ(Main().EditPasswort.Text(), "Geheim-123");
  EXPECT_TRUE(screen.messageBoxes.empty());
}

TEST_F(QuickLaunchTest, ReportsASecondFailureAndTriesNoThirdTime) {
  StartWithEntries();
  Main().EditPasswort.SetText("falsch");
  AnswerPasswordDialog("auch falsch", true);
  ClickOn(Quick(1));
  EXPECT_EQ(system.logons.size(), 2u);
  EXPECT_EQ(system.launches.size(), 0u);
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(LastBox().text,
            "Falsche Zugangsdaten oder Dateiname nicht gefunden!\n\nDer Benutzername oder das Kennwort ist "
            "falsch. (Fehler 1326)");
  EXPECT_EQ(LastBox().caption, "Fehler");
  EXPECT_EQ(Main().EditPasswort.Text(), "auch falsch");
}

TEST_F(QuickLaunchTest, EndsSilentlyWhenThePasswordDialogIsCancelled) {
  StartWithEntries();
  Main().EditPasswort.SetText("falsch");
  AnswerPasswordDialog("Geheim-123", false);
  ClickOn(Quick(1));
  screen.onModal = [](ui::TForm&) {};  // closed through the close box
  ClickOn(Quick(1));
  screen.onModal = [](ui::TForm& form) { form.DialogKey(ui::Key::kEscape); };
  ClickOn(Quick(1));
  EXPECT_EQ(system.logons.size(), 3u);
  EXPECT_TRUE(screen.messageBoxes.empty());
  EXPECT_EQ(Main().EditPasswort.Text(), "falsch");
}

TEST_F(QuickLaunchTest, TriesAnEmptyEntryAndAsksForThePassword) {
  Start();
  Main().EditPasswort.SetText("Geheim-123");
  AnswerPasswordDialog("Geheim-123", true);
  ClickOn(Quick(6));
  EXPECT_EQ(screen.modalForms, std::vector<std::string>{"FormPass"});
  EXPECT_EQ(system.launches.size(), 2u);
  EXPECT_EQ(
      LastBox().text,
      "Falsche Zugangsdaten oder Dateiname nicht gefunden!\n\nDas System kann die angegebene Datei nicht "
      "finden. (Fehler 2)");
}

// The gate in front of the editor.
class GateTest : public QuickLaunchTest {
 protected:
  const char* kRefusal =
      "Diese Einträge kann nur der Administrator mit gültigen Passwort bearbeiten!\rBitte das Passwort "
      "eintragen.";
  ui::Point editorAt{-1, -1};
  void SetUp() override {
    StartWithEntries();
    screen.onModal = [this](ui::TForm& form) {
      ASSERT_EQ(&form, FormSpeed);
      editorAt = {FormSpeed->Left(), FormSpeed->Top()};
      FormSpeed->OKBtn.Click();
    };
  }
};

TEST_F(GateTest, OpensTheEditorBesideTheMainWindowForTheAdministrator) {
  Main().EditPasswort.SetText("Geheim-123");
  Main().SetLeft(200);
  Main().SetTop(100);
  Main().Bearbeiten11.Click();
  EXPECT_EQ(screen.modalForms, std::vector<std::string>{"FormSpeed"});
  EXPECT_EQ(editorAt, (ui::Point{350, 135}));
  ASSERT_EQ(system.logons.size(), 1u);
  EXPECT_EQ(system.logons[0].user, "Administrator");
  EXPECT_EQ(system.logons[0].domain, "WERKSTATT");
  EXPECT_EQ(system.logons[0].logonType, 2u);
  EXPECT_EQ(system.logons[0].provider, 0u);
  EXPECT_EQ(system.impersonations, 1);
  EXPECT_EQ(system.reverts, 1);  // back to the operator's own account before the editor opens
  EXPECT_EQ(system.openTokens, 0);
  EXPECT_TRUE(screen.messageBoxes.empty());
}

TEST_F(GateTest, PlacesTheEditorAtZeroForAMainWindowOffTheScreen) {
  Main().EditPasswort.SetText("Geheim-123");
  Main().SetLeft(-10);
  Main().SetTop(-5);
  Main().Bearbeiten11.Click();
  EXPECT_EQ(editorAt, (ui::Point{0, 0}));
  Main().SetLeft(0);
  Main().SetTop(-1);
  Main().Bearbeiten11.Click();
  EXPECT_EQ(editorAt, (ui::Point{150, 0}));
  Main().SetLeft(INT_MAX - 149);  // as far out as a stored position goes: at the edge, no overflow
  Main().SetTop(INT_MAX);
  Main().Bearbeiten11.Click();
  EXPECT_EQ(editorAt, (ui::Point{INT_MAX, INT_MAX}));
}

TEST_F(GateTest, RefusesAWrongOrEmptyPasswordAndPutsTheFocusIntoThePasswordBox) {
  for (const char* password : {"", "geheim-123"}) {
    Main().EditPasswort.SetText(password);
    Main().EditPfad.SetFocus();
    Main().Bearbeiten11.Click();
    EXPECT_TRUE(screen.modalForms.empty());
    EXPECT_EQ(LastBox().text,
              std::string(kRefusal) + "\n\nDer Benutzername oder das Kennwort ist falsch. (Fehler 1326)");
    EXPECT_EQ(LastBox().caption, "Fehler");
    EXPECT_EQ(LastBox().flags, ui::kMbOk | ui::kMbIconError);
    EXPECT_TRUE(Main().EditPasswort.Focused());
    EXPECT_EQ(Main().EditPasswort.Text(), password);
  }
  EXPECT_EQ(system.reverts, 0);
}

TEST_F(GateTest, RefusesAnAccountThatIsNotTheAdministrator) {
  system.acceptedUser = "Gast";
  Main().LabelAdminUser.SetText("Gast");
  Main().EditPasswort.SetText("Geheim-123");
  Main().Bearbeiten11.Click();
  EXPECT_TRUE(screen.modalForms.empty());
  EXPECT_EQ(LastBox().text, kRefusal);
  EXPECT_EQ(system.reverts, 1);  // the logon worked, so its impersonation is ended too
}

}  // namespace
