// The main window on the headless backend: its layout, start-up, the Enter keys, "Ausführen" with its
// message, the file dialog and the command-window button.
#include <gtest/gtest.h>

#include <algorithm>

#include "forms/form_fixture.h"

namespace {

using ui::Rect;

class MainWindowTest : public ProgramTest {
 protected:
  void SetUp() override { Start(); }
};

// Every control lies inside the client area, and the tab order runs without gaps or twins.
// The tab order of the design, and after the picture buttons the seven speed buttons as one stop.
TEST_F(MainWindowTest, KeepsItsControlsInsideTheWindowAndItsTabOrderWhole) {
  for (ui::TControl* control : Main().Controls()) {
    const Rect r = control->Bounds();
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.left + r.width <= Main().ClientWidth() &&
                r.top + r.height <= Main().ClientHeight())
        << control->Name();
  }
  std::vector<std::string> stops;
  for (ui::TControl* control : Main().TabStops()) stops.push_back(control->Name());
  EXPECT_EQ(stops, (std::vector<std::string>{"EditPfad", "EditPasswort", "ButtonEXE", "XPBitBtnOeffnen",
                                             "XPBitBtnCMD", "XPBitBtnDruckerInstallieren", "XPBitBtnSoftware",
                                             "XPSpeedButton1"}));
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
  EXPECT_EQ(screen.createdForms,
            (std::vector<std::string>{"Form1", "FormPass", "FormSpeed", "FormInfo", "FormDruckerList"}));
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
  EXPECT_EQ(
      LastBox().text,
      "Falsche Zugangsdaten oder Pfad nicht gefunden.\n\nDer Benutzername oder das Kennwort ist falsch. "
      "(Fehler 1326)");
  EXPECT_EQ(LastBox().caption, "Fehler");
  EXPECT_EQ(LastBox().flags, ui::kMbOk | ui::kMbIconError);
  EXPECT_FALSE(LastBox().x.has_value());  // centred on the screen
  EXPECT_FALSE(LastBox().y.has_value());
  EXPECT_EQ(Main().EditPfad.Text(), "cmd.exe");
  EXPECT_EQ(Main().EditPasswort.Text(), "falsch");
  EXPECT_EQ(Main().LabelInfo.Text(), "DOS - Fenster");
}

// The password is cut to 255 characters; a longer path is refused instead, and both boxes keep theirs.
TEST_F(MainWindowTest, CutsThePasswordTo255CharactersAndRefusesALongerPath) {
  system.acceptedPassword = std::string(255, 'p');
  Main().EditPasswort.SetText(std::string(300, 'p'));
  Main().EditPfad.SetText(std::string(255, 'x'));
  Main().ButtonEXE.Click();
  ASSERT_EQ(system.launches.size(), 1u);
  EXPECT_TRUE(system.launches[0].passwordAccepted);
  Main().EditPfad.SetText(std::string(256, 'x'));
  Main().ButtonEXE.Click();
  EXPECT_EQ(system.launches.size(), 1u);
  EXPECT_EQ(screen.messageBoxes.back().text, kRefusedTooLong);
  EXPECT_EQ(Main().EditPasswort.Text(), std::string(300, 'p'));
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

// Every request to close saves the position, and the close is never refused, also when saving fails.
TEST_F(MainWindowTest, SavesThePositionAtEveryCloseAndAlwaysCloses) {
  const std::string key = "\\SOFTWARE\\Belvark\\vesk-tor\\Position";
  Main().SetLeft(111);
  EXPECT_TRUE(Main().CloseQuery());
  ASSERT_TRUE(system.registry[key].count("Form1.Left"));
  EXPECT_EQ(system.registry[key]["Form1.Left"].data, (std::vector<std::uint8_t>{111, 0, 0, 0}));
  system.registryKeyFails = true;
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
