// The programs button and its menu: every shortcut's command line and name, the availability of Java
// and the 64-bit ODBC entry, and the drop-down rule of both menu buttons.
#include <gtest/gtest.h>

#include "forms/form_fixture.h"

namespace {

struct Shortcut {
  ui::TMenuItem TForm1::*item;
  const char* command;
  const char* action;
};

class ToolsTest : public ProgramTest {
 protected:
  void Choose(ui::TMenuItem& item) {
    Main().EditPfad.SetText("C:\\getippt\\pfad.exe");
    item.Click();
  }
};

TEST_F(ToolsTest, PutsEachCommandAndItsNameIntoThePathBoxOn32Bit) {
  system.files.insert("C:\\WINDOWS\\system32\\javacpl.cpl");
  Start();
  const Shortcut shortcuts[] = {
      {&TForm1::Energieoptionen1, "rundll32.exe shell32.dll Control_RunDLL powercfg.cpl", "Energieoptionen"},
      {&TForm1::InternetEigenschaften, "rundll32.exe shell32.dll Control_RunDLL inetcpl.cpl",
       "Internet-Eigenschaften"},
      {&TForm1::Java1, "rundll32.exe shell32.dll Control_RunDLL javacpl.cpl", "Java"},
      {&TForm1::Netzwerk1, "rundll32.exe shell32.dll Control_RunDLL ncpa.cpl", "Netzwerk && etc."},
      {&TForm1::Software1, "rundll32.exe shell32.dll Control_RunDLL appwiz.cpl", "Programme"},
      {&TForm1::System1, "rundll32.exe shell32.dll Control_RunDLL sysdm.cpl", "System"},
      {&TForm1::Benutzerkonten1, "rundll32.exe shell32.dll Control_RunDLL nusrmgr.cpl", "Benutzerkonten"},
      {&TForm1::Computerverwaltung1, "C:\\WINDOWS\\system32\\compmgmt.msc", "Computerverwaltung"},
      {&TForm1::ODBC1, "C:\\WINDOWS\\system32\\odbcad32.exe", "ODBC 32 Bit"},
      {&TForm1::Dienste1, "C:\\WINDOWS\\system32\\services.msc", "Dienste "},
      {&TForm1::Firewall1, "rundll32.exe shell32.dll Control_RunDLL Firewall.cpl", "Firewall"},
  };
  for (const Shortcut& s : shortcuts) {
    Choose(Main().*s.item);
    EXPECT_EQ(Main().EditPfad.Text(), s.command) << s.action;
    EXPECT_EQ(Main().LabelInfo.Text(), s.action);
  }
  EXPECT_FALSE(Main().DatenquellenODBC64Bit1.Enabled());
  EXPECT_TRUE(system.launches.empty());  // nothing starts before "Ausführen"
}

TEST_F(ToolsTest, UsesTheSysWow64FolderForThe32BitOdbcOn64Bit) {
  system.wow64 = platform::Wow64Query::kYes;
  system.windowsDirectory = "D:\\Win";
  Start();
  Choose(Main().ODBC1);
  EXPECT_EQ(Main().EditPfad.Text(), "D:\\Win\\syswow64\\odbcad32.exe");
  EXPECT_TRUE(Main().DatenquellenODBC64Bit1.Enabled());
  Choose(Main().DatenquellenODBC64Bit1);
  EXPECT_EQ(Main().EditPfad.Text(), "D:\\Win\\system32\\odbcad32.exe");
  EXPECT_EQ(Main().LabelInfo.Text(), "ODBC 64 Bit");
  EXPECT_FALSE(Main().Java1.Enabled());
}

TEST_F(ToolsTest, CutsCommandsBuiltOnALongWindowsFolderTo255) {
  system.windowsDirectory = "C:\\" + std::string(250, 'w');
  Start();
  Choose(Main().Dienste1);
  EXPECT_EQ(Main().EditPfad.Text(), system.windowsDirectory.substr(0, 253) + "\\s");
}

TEST_F(ToolsTest, TheButtonAndTheMenuEntryPrepareTheSame) {
  Start();
  Main().XPBitBtnSoftware.Click();
  const std::string fromButton = Main().EditPfad.Text();
  Main().EditPfad.SetText("");
  Main().Software1.Click();
  EXPECT_EQ(Main().EditPfad.Text(), fromButton);
  EXPECT_EQ(Main().LabelInfo.Text(), "Programme");
}

// A press on the lower part of the button opens its menu below it, and so do the keys of a drop-down
// (y -1 here: Alt+Down, F4 or the context key).
TEST_F(ToolsTest, OpensAMenuOnlyFromTheLowerPartOfItsButtonOrFromTheKeyboard) {
  Start();
  Main().SetLeft(100);
  Main().SetTop(50);
  struct Press {
    ui::TButton* button;
    ui::MouseButton mouse;
    int y;
    bool opens;
  };
  const Press presses[] = {
      {&Main().XPBitBtnSoftware, ui::MouseButton::kLeft, 23, false},
      {&Main().XPBitBtnSoftware, ui::MouseButton::kLeft, 24, true},
      {&Main().XPBitBtnSoftware, ui::MouseButton::kRight, 34, true},
      {&Main().XPBitBtnSoftware, ui::MouseButton::kRight, 5, false},
      {&Main().XPBitBtnDruckerInstallieren, ui::MouseButton::kMiddle, 30, true},
      {&Main().XPBitBtnDruckerInstallieren, ui::MouseButton::kLeft, 0, false},
      {&Main().XPBitBtnSoftware, ui::MouseButton::kLeft, -1, true},
      {&Main().XPBitBtnDruckerInstallieren, ui::MouseButton::kLeft, -1, true},
  };
  for (const Press& press : presses) {
    screen.popups.clear();
    if (press.y < 0)
      press.button->DropDown();
    else
      press.button->MouseDown(press.mouse, 3, press.y);
    ASSERT_EQ(screen.popups.size(), press.opens ? 1u : 0u) << press.button->Name() << " y=" << press.y;
    if (!press.opens) continue;
    const bool programs = press.button == &Main().XPBitBtnSoftware;
    EXPECT_EQ(screen.popups[0].menu, programs ? &Main().PopupMenuProg : &Main().PopupMenuDrucker);
    const ui::Point expected{100 + ui::kHeadlessFrameLeft + press.button->Left() + 1,
                             50 + ui::kHeadlessFrameTop + 100 + 35 + 1};
    EXPECT_EQ(screen.popups[0].screen, expected);
  }
  EXPECT_TRUE(system.beeps.empty());
  Main().ShowDropDownMenu(Main(), Main().XPBitBtnSoftware, 30, nullptr);  // no menu: a beep
  EXPECT_EQ(system.beeps, std::vector<std::uint32_t>{0});
}

}  // namespace
