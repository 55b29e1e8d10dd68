// The main window's start-up: what it shows of the machine, where it finds its settings file, and how
// a failing system query ends the start-up while the window still opens.
#include <gtest/gtest.h>

#include "forms/form_fixture.h"

namespace {

class StartupTest : public ProgramTest {
 protected:
  void ExpectStartUpEndedWith(const std::string& message) {
    ASSERT_EQ(screen.messageBoxes.size(), 1u);
    EXPECT_EQ(LastBox().text, message);
    EXPECT_EQ(LastBox().caption, "Morvela");
    EXPECT_EQ(LastBox().flags, ui::kMbOk | ui::kMbIconError);
    EXPECT_EQ(Main().ColumnListBox1.Count(), 0u);  // the entries were not loaded
    EXPECT_EQ(Quick(1).Text(), "");
  }
};

TEST_F(StartupTest, ShowsTheDomainTheWindowsVersionAndTheComputerName) {
  Start();
  EXPECT_EQ(Main().LabelDom.Text(), "WERKSTATT");
  EXPECT_EQ(Main().UserDomain, "WERKSTATT");
  EXPECT_EQ(Main().WindowsDir, "C:\\WINDOWS");
  EXPECT_EQ(Main().LabelGetWin.Text(), "Windows 7 Service Pack 1 (32Bit)");
  EXPECT_EQ(Main().PanelStatusBar1.Panel(1).text, "Computername:  PC01");
  EXPECT_FALSE(Main().Is64Bit);
  EXPECT_FALSE(Main().DatenquellenODBC64Bit1.Enabled());
  EXPECT_FALSE(Main().Java1.Enabled());  // no javacpl.cpl
  EXPECT_TRUE(screen.messageBoxes.empty());
}

TEST_F(StartupTest, FollowsTheMachineOn64BitWindowsWithJava) {
  system.wow64 = platform::Wow64Query::kYes;
  system.files.insert("C:\\WINDOWS\\system32\\javacpl.cpl");
  system.version = {156, 5, 1, 2600, 2, "Service Pack 3", 3, 0, 0x200, 1};
  system.computerName.reset();
  Start();
  EXPECT_EQ(Main().LabelGetWin.Text(), "Windows XP Home Edition Service Pack 3 (64Bit)");
  EXPECT_TRUE(Main().DatenquellenODBC64Bit1.Enabled());
  EXPECT_TRUE(Main().Java1.Enabled());
  EXPECT_EQ(Main().PanelStatusBar1.Panel(1).text, "Computername:  ");
}

TEST_F(StartupTest, FindsTheSettingsFileBesideTheExecutableWhateverTheCurrentFolder) {
  system.modulePath = "D:\\Werkzeuge\\Werkzeug.exe";
  system.currentDirectory = "C:\\Users\\bediener";
  system.MakeFolder("D:\\Werkzeuge\\");
  system.WriteFile("D:\\Werkzeuge\\Werkzeug.INI", "[SpeedButton1]\nText=Dienste\n");
  Start();
  EXPECT_EQ(ExeDir, "D:\\Werkzeuge\\");
  EXPECT_EQ(IniName, "Werkzeug.INI");
  EXPECT_EQ(Main().IniCtrl1.IniFile(), "D:\\Werkzeuge\\Werkzeug.INI");
  EXPECT_EQ(Quick(1).Text(), "Dienste");
}

TEST_F(StartupTest, NamesTheSettingsFileOfAnExecutableWithoutExtension) {
  system.modulePath = "D:\\Werkzeuge\\Werkzeug";
  Start();
  EXPECT_EQ(IniName, "Werkzeug.INI");
  EXPECT_EQ(Main().IniCtrl1.IniFile(), "D:\\Werkzeuge\\Werkzeug.INI");
}

TEST_F(StartupTest, EndsAtAFailingDomainQueryAndStillOpens) {
  system.tokenUserError = 5;
  Start();
  ExpectStartUpEndedWith("Win32-Fehler. Code: 5.\nZugriff verweigert.");
  EXPECT_EQ(Main().LabelDom.Text(), "");
  EXPECT_EQ(Main().AdminUser, "");
  EXPECT_EQ(Main().LabelGetWin.Text(), "");
  EXPECT_EQ(Main().PanelStatusBar1.Panel(1).text, "");
  EXPECT_TRUE(Main().Java1.Enabled());

  // Without the table a quick-launch click is the table's index error, and nothing starts.
  ClickOn(Quick(2));
  EXPECT_EQ(LastBox().text, "Der Index der Liste überschreitet das Maximum (1)");
  EXPECT_EQ(LastBox().caption, "Morvela");
  EXPECT_TRUE(system.launches.empty());
}

TEST_F(StartupTest, EndsAtAFailingWindowsFolderQuery) {
  system.windowsDirectoryError = 5;
  Start();
  ExpectStartUpEndedWith("Win32-Fehler. Code: 5.\nZugriff verweigert.");
  EXPECT_EQ(Main().LabelDom.Text(), "WERKSTATT");  // step 3 was done
  EXPECT_EQ(Main().AdminUser, "");
}

TEST_F(StartupTest, EndsAtAFailingBitnessQuery) {
  system.wow64 = platform::Wow64Query::kCallFailed;
  Start();
  ExpectStartUpEndedWith("IsWow64: bad process handle");
  EXPECT_EQ(Main().AdminUser, "Administrator");
  EXPECT_EQ(Main().UserDomain, "WERKSTATT");
  EXPECT_EQ(Main().LabelGetWin.Text(), "");
}

}  // namespace
