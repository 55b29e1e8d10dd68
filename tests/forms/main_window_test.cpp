// The main window on the headless backend: its layout, start-up, the Enter keys, "Ausführen" with its
// message, the file dialog and the command-window button.
#include <gtest/gtest.h>

#include "forms/form_fixture.h"

namespace {

using ui::Rect;

class MainWindowTest : public ProgramTest {
 protected:
  void SetUp() override { Start(); }
};

TEST_F(MainWindowTest, HasEveryControlAtItsPlaceWithItsCaptionAndTabOrder) {
  struct Expected {
    const char* name;
    Rect bounds;
    const char* caption;
    int tabOrder;
  };
  const Expected controls[] = {
      {"Label1", {12, 16, 90, 13}, "Programmname:", -1},
      {"EditPfad", {104, 12, 401, 21}, "", 0},
      {"XPBitBtnOeffnen", {504, 10, 30, 25}, "", 3},
      {"Label2", {57, 40, 45, 13}, "Benutzer:", -1},
      {"LabelAdminUser", {104, 40, 60, 13}, "Administrator", -1},
      {"Label5", {208, 40, 46, 13}, "Domäne: ", -1},
      {"LabelInfo", {449, 40, 54, 13}, "", -1},
      {"Label3", {56, 60, 46, 13}, "Passwort:", -1},
      {"EditPasswort", {104, 56, 89, 21}, "", 1},
      {"LabelGetWin", {208, 60, 289, 13}, nullptr, -1},
      {"Label4", {226, 82, 76, 13}, "  Schnelltasten  ", -1},
      {"Bevel1", {144, 91, 225, 9}, "", -1},
      {"XPSpeedButton1", {144, 100, 81, 17}, nullptr, -1},
      {"XPSpeedButton2", {227, 100, 78, 17}, nullptr, -1},
      {"XPSpeedButton3", {306, 100, 63, 17}, nullptr, -1},
      {"XPSpeedButton4", {144, 117, 81, 17}, nullptr, -1},
      {"XPSpeedButton5", {227, 117, 78, 17}, nullptr, -1},
      {"XPSpeedButton6", {306, 117, 63, 17}, nullptr, -1},
      {"XPBitBtnCMD", {8, 100, 41, 35}, "", 4},
      {"XPBitBtnDruckerInstallieren", {50, 100, 41, 35}, "", 5},
      {"XPBitBtnSoftware", {92, 100, 41, 35}, "", 6},
      {"XPSpeedButton7", {384, 108, 34, 25}, "Info", -1},
      {"ButtonEXE", {464, 108, 75, 25}, "Ausführen", 2},
      {"PanelStatusBar1", {0, 140, 543, 16}, "", -1},
  };
  for (const Expected& e : controls) {
    auto* control = dynamic_cast<ui::TControl*>(Main().FindComponent(e.name));
    ASSERT_NE(control, nullptr) << e.name;
    EXPECT_EQ(control->Bounds(), e.bounds) << e.name;
    if (e.caption) {
      EXPECT_EQ(control->Text(), e.caption) << e.name;
    }
    EXPECT_EQ(control->TabOrder(), e.tabOrder) << e.name;
  }
  EXPECT_EQ(Main().Caption(), "Morvela - Programm als Administrator ausführen");
  EXPECT_EQ(Main().ClientWidth(), 543);
  EXPECT_EQ(Main().ClientHeight(), 156);
  EXPECT_EQ(Main().GetBorderStyle(), ui::BorderStyle::kSingle);
  EXPECT_EQ(Main().Left(), 329);
  EXPECT_EQ(Main().Top(), 208);
}

TEST_F(MainWindowTest, DrawsItsLabelsAndButtonsInTheirFontsAndAlignment) {
  EXPECT_TRUE(Main().Label1.GetFont().bold);
  EXPECT_EQ(Main().Label1.GetAlignment(), ui::Alignment::kRight);
  EXPECT_TRUE(Main().LabelInfo.GetFont().bold);
  EXPECT_EQ(Main().LabelInfo.GetFont().color, ui::clBlue);
  EXPECT_EQ(Main().LabelInfo.GetAlignment(), ui::Alignment::kRight);
  EXPECT_TRUE(Main().LabelGetWin.GetFont().bold);
  EXPECT_FALSE(Main().LabelGetWin.AutoSize);
  EXPECT_EQ(Main().GetFont().name, "MS Sans Serif");
  EXPECT_EQ(Main().GetFont().height, -11);
  EXPECT_EQ(Main().EditPasswort.PasswordChar(), '*');
  EXPECT_EQ(Main().EditPfad.PasswordChar(), '\0');
  for (int n = 1; n <= 6; ++n) {
    auto* button = dynamic_cast<TXPSpeedButton*>(Main().FindComponent("XPSpeedButton" + std::to_string(n)));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Tag(), n);
    EXPECT_EQ(button->GetFont().name, "Arial");
    EXPECT_EQ(button->PopupMenu(), &Main().PopupMenuSpeed);
  }
}

TEST_F(MainWindowTest, StartsWithEmptyBoxesAndTheAdministratorAccount) {
  EXPECT_EQ(Main().EditPfad.Text(), "");
  EXPECT_EQ(Main().EditPasswort.Text(), "");
  EXPECT_EQ(Main().LabelInfo.Text(), "");
  EXPECT_EQ(Main().AdminUser, "Administrator");
  EXPECT_EQ(Main().LabelAdminUser.Text(), "Administrator");
  EXPECT_EQ(ExeDir, "C:\\Programme\\Morvela\\");
  EXPECT_EQ(IniName, "Morvela.INI");
}

TEST_F(MainWindowTest, CreatesTheFiveWindowsInOrderAndNamesTheMainOne) {
  ASSERT_NE(FormPass, nullptr);
  EXPECT_EQ(app->MainForm(), Form1);
  EXPECT_EQ(FormPass->Caption(), "Passwort");
  EXPECT_EQ(FormSpeed->Caption(), "Belegung der Schnelltasten");
  EXPECT_EQ(FormInfo->Caption(), "Programm-Info");
  EXPECT_EQ(FormDruckerList->Caption(), "Drucker zum Löschen auswählen");
  for (ui::TForm* form :
       std::initializer_list<ui::TForm*>{Form1, FormPass, FormSpeed, FormInfo, FormDruckerList})
    EXPECT_FALSE(form->Visible()) << form->Name();
}

TEST_F(MainWindowTest, EnterInThePathBoxMovesToThePasswordBoxAndStartsNothing) {
  Main().EditPfad.SetText("notepad");
  PressEnter(Main().EditPfad);
  EXPECT_TRUE(Main().EditPasswort.Focused());
  EXPECT_TRUE(system.launches.empty());
  EXPECT_TRUE(screen.messageBoxes.empty());
}

TEST_F(MainWindowTest, EnterInThePasswordBoxLaunchesAsAdministrator) {
  Main().EditPfad.SetText("C:\\Tools\\setup.msi");
  Main().EditPasswort.SetText("Geheim-123");
  PressEnter(Main().EditPasswort);
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_EQ(system.launches[0].commandLine, "msiexec.exe /i \"C:\\Tools\\setup.msi\"");
  EXPECT_EQ(system.launches[0].user, "Administrator");
  EXPECT_TRUE(system.launches[0].passwordAccepted);
  EXPECT_TRUE(screen.messageBoxes.empty());  // success shows nothing
}

TEST_F(MainWindowTest, AFailedLaunchShowsTheErrorBoxAndKeepsBothBoxes) {
  Main().XPBitBtnCMD.Click();
  Main().EditPasswort.SetText("falsch");
  Main().ButtonEXE.Click();
  ASSERT_EQ(screen.messageBoxes.size(), 1u);
  EXPECT_EQ(LastBox().text, "Falsche Zugangsdaten oder Pfad nicht gefunden.");
  EXPECT_EQ(LastBox().caption, "Fehler");
  EXPECT_EQ(LastBox().flags, ui::kMbOk | ui::kMbIconError);
  EXPECT_FALSE(LastBox().x.has_value());  // centred on the screen
  EXPECT_FALSE(LastBox().y.has_value());
  EXPECT_EQ(Main().EditPfad.Text(), "cmd.exe");
  EXPECT_EQ(Main().EditPasswort.Text(), "falsch");
  EXPECT_EQ(Main().LabelInfo.Text(), "DOS - Fenster");
}

TEST_F(MainWindowTest, CutsPathAndPasswordTo255CharactersBeforeTheLaunch) {
  system.acceptedPassword = std::string(255, 'p');
  Main().EditPasswort.SetText(std::string(300, 'p'));
  Main().EditPfad.SetText(std::string(300, 'x'));
  Main().ButtonEXE.Click();
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_TRUE(system.launches[0].passwordAccepted);
  EXPECT_EQ(system.launches[0].commandLine, std::string(255, 'x'));
}

TEST_F(MainWindowTest, LaunchesAPathOnAMappedDriveByItsUniversalName) {
  system.driveTypes['H'] = platform::kDriveRemote;
  system.shares["H:"] = "\\\\fileserver\\apps";
  Main().EditPfad.SetText("H:\\setup\\app.exe");
  Main().EditPasswort.SetText("Geheim-123");
  Main().ButtonEXE.Click();
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_EQ(system.launches[0].commandLine, "\"\\\\fileserver\\apps\\setup\\app.exe\"");
}

TEST_F(MainWindowTest, LaunchesATypedCommandUnchangedWhileItsFirstLetterIsANetworkDrive) {
  system.driveTypes['M'] = platform::kDriveRemote;
  system.shares["M:"] = "\\\\fileserver\\m";
  Main().EditPfad.SetText("mmc.exe");
  Main().EditPasswort.SetText("Geheim-123");
  Main().ButtonEXE.Click();
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_EQ(system.launches[0].commandLine, "\"mmc.exe\"");
}

TEST_F(MainWindowTest, TheCommandWindowButtonOnlyFillsThePathBox) {
  Main().EditPfad.SetText("C:\\irgendwas.exe");
  Main().XPBitBtnCMD.Click();
  EXPECT_EQ(Main().EditPfad.Text(), "cmd.exe");
  EXPECT_EQ(Main().LabelInfo.Text(), "DOS - Fenster");
  EXPECT_TRUE(system.launches.empty());
}

TEST_F(MainWindowTest, ClosingIsAlwaysAllowed) {
  EXPECT_TRUE(Main().CloseQuery());
}

// The file dialog of the open button.
class OpenButtonTest : public MainWindowTest {
 protected:
  platform::OpenFileRequest Open(const std::string& pathBox, std::optional<std::string> choice = {}) {
    Main().EditPfad.SetText(pathBox);
    system.onOpenFile = [choice](platform::OpenFileRequest& request) {
      if (!choice) return false;
      request.fileName = *choice;
      return true;
    };
    const std::size_t before = system.openFileRequests.size();
    Main().XPBitBtnOeffnen.Click();
    EXPECT_EQ(system.openFileRequests.size(), before + 1);
    return system.openFileRequests.back();
  }
};

TEST_F(OpenButtonTest, AsksForTheFullRecordWithFilterFlagsAndPlacesBar) {
  const platform::OpenFileRequest request = Open("");
  EXPECT_EQ(request.structSize, 88u);
  EXPECT_EQ(request.flagsEx, 0u);
  EXPECT_EQ(request.filter,
            std::string("Programme (*.exe; *.msi)\0*.exe;*.msi\0Alle Dateien (*.*)\0*.*\0\0", 61));
  EXPECT_EQ(request.filterIndex, 1u);
  EXPECT_EQ(request.flags, 0x2u | 0x4u | 0x800u | 0x2000u | 0x4000u | 0x20000u | 0x800000u | 0x80000u);
  EXPECT_EQ(request.flags & 0x1000u, 0u);  // the file need not exist
  EXPECT_EQ(request.title, "");
  EXPECT_EQ(request.defaultExt, "");
}

TEST_F(OpenButtonTest, UsesTheOlderRecordBeforeVersionFiveAndHidesThePlacesBarOnRequest) {
  system.version.major = 4;
  EXPECT_EQ(Open("").structSize, 76u);
  system.version.major = 5;
  Main().AgOpenDialog1.ShowPlacesBar = false;
  const platform::OpenFileRequest request = Open("");
  EXPECT_EQ(request.structSize, 88u);
  EXPECT_EQ(request.flagsEx, 1u);
  EXPECT_EQ(system.versionSizesAsked.back(), 148u);
}

TEST_F(OpenButtonTest, PreselectsALocalPathAndTakesTheChosenFile) {
  const platform::OpenFileRequest request = Open("C:\\Tools\\app.exe", "C:\\Tools\\neu.exe");
  EXPECT_EQ(request.fileName, "C:\\Tools\\app.exe");
  EXPECT_EQ(Main().EditPfad.Text(), "C:\\Tools\\neu.exe");
  EXPECT_TRUE(system.launches.empty());  // the dialog never launches
}

TEST_F(OpenButtonTest, OpensAnExistingNetworkFolderWithAnEmptyName) {
  system.directories.insert("\\\\srv\\apps\\setup\\");
  const platform::OpenFileRequest request = Open("\\\\srv\\apps\\setup\\app.exe");
  EXPECT_EQ(request.fileName, "");
  EXPECT_EQ(request.initialDir, "\\\\srv\\apps\\setup\\");
  EXPECT_EQ(Main().EditPfad.Text(), "\\\\srv\\apps\\setup\\app.exe");  // cancelled: unchanged
}

TEST_F(OpenButtonTest, OpensAtTheWholeNetworkTextWhenItsFolderDoesNotExist) {
  const platform::OpenFileRequest request = Open("\\\\srv\\apps\\neu\\app.exe");
  EXPECT_EQ(request.fileName, "");
  EXPECT_EQ(request.initialDir, "\\\\srv\\apps\\neu\\app.exe");
}

TEST_F(OpenButtonTest, KeepsThePreviousDialogStateForABareCommand) {
  Open("C:\\Tools\\app.exe", "C:\\Tools\\neu.exe");
  system.directories.insert("\\\\srv\\apps\\");
  Open("\\\\srv\\apps\\x.exe");
  for (const char* text : {"cmd.exe", "", "ab", "rundll32.exe shell32.dll Control_RunDLL appwiz.cpl"}) {
    const platform::OpenFileRequest request = Open(text);
    EXPECT_EQ(request.fileName, "") << text;
    EXPECT_EQ(request.initialDir, "\\\\srv\\apps\\") << text;
  }
  const platform::OpenFileRequest chosen = Open("notepad", "C:\\Windows\\notepad.exe");
  EXPECT_EQ(Open("cmd.exe").fileName, "C:\\Windows\\notepad.exe");
  (void)chosen;
}

}  // namespace
