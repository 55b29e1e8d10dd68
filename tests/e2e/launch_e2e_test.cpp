// The real executable under Wine: the main window, the Enter keys, the error box after a failed
// launch, the command-window button, and (with the test-only executable) the exact command lines that
// reach the system.
#include <gtest/gtest.h>

#include "e2e/driver.h"

namespace {

using e2e::Program;

const char kCaption[] = "Morvela - Programm als Administrator ausführen";
const char kLaunchFailed[] = "Falsche Zugangsdaten oder Pfad nicht gefunden.";

struct MainControls {
  HWND path, password, run, commandWindow;
  explicit MainControls(const Program& program)
      : path(program.ControlAt(program.Main(), 104, 12)),
        password(program.ControlAt(program.Main(), 104, 56)),
        run(program.ControlAt(program.Main(), 464, 108)),
        commandWindow(program.ControlAt(program.Main(), 8, 100)) {}
};

TEST(MainWindowE2E, OpensWithItsCaptionAndClientSize) {
  Program program("Morvela.exe", e2e::RunFolder("main-window"));
  ASSERT_TRUE(program.Started());
  EXPECT_EQ(Program::Text(program.Main()), kCaption);
  RECT client;
  GetClientRect(program.Main(), &client);
  EXPECT_EQ(client.right, 543);
  EXPECT_EQ(client.bottom, 156);
  const LONG style = GetWindowLongA(program.Main(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  MainControls controls(program);
  EXPECT_EQ(Program::Text(controls.run), "Ausführen");
  EXPECT_EQ(GetWindowLongA(controls.password, GWL_STYLE) & ES_PASSWORD, ES_PASSWORD);
  EXPECT_EQ(program.Focus(), controls.path);  // the first box in tab order
  EXPECT_TRUE(e2e::SaveScreenshot(program.Main(), "main_window"));
}

TEST(MainWindowE2E, EnterInThePathBoxMovesToThePasswordBox) {
  Program program("Morvela.exe", e2e::RunFolder("enter-path"));
  ASSERT_TRUE(program.Started());
  MainControls controls(program);
  Program::SetText(controls.path, "C:\\windows\\notepad.exe");
  Program::FocusBox(controls.path);
  ASSERT_TRUE(e2e::WaitFor([&] { return program.Focus() == controls.path; }));
  Program::PressKey(controls.path, VK_RETURN);
  EXPECT_TRUE(e2e::WaitFor([&] { return program.Focus() == controls.password; }));
  EXPECT_EQ(program.WaitForWindow("Fehler", 500), nullptr);  // nothing was started
}

TEST(MainWindowE2E, AFailedLaunchShowsTheErrorBoxAndKeepsBothBoxes) {
  Program program("Morvela.exe", e2e::RunFolder("launch-fails"));
  ASSERT_TRUE(program.Started());
  MainControls controls(program);
  Program::SetText(controls.path, "C:\\windows\\notepad.exe");
  Program::SetText(controls.password, "Geheim-123");  // under Wine every real launch fails
  Program::PressKey(controls.password, VK_RETURN);
  HWND box = program.WaitForWindow("Fehler");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Program::BoxText(box), kLaunchFailed);
  e2e::SaveScreenshot(box, "error_box");
  Program::CloseBox(box);
  ASSERT_TRUE(e2e::WaitFor([&] { return !IsWindow(box); }));
  EXPECT_EQ(Program::Text(controls.path), "C:\\windows\\notepad.exe");
  EXPECT_EQ(Program::Text(controls.password), "Geheim-123");
}

TEST(MainWindowE2E, TheCommandWindowButtonFillsThePathBoxAndTheLabel) {
  Program program("Morvela.exe", e2e::RunFolder("command-window"));
  ASSERT_TRUE(program.Started());
  MainControls controls(program);
  Program::Click(controls.commandWindow);
  EXPECT_TRUE(e2e::WaitFor([&] { return Program::Text(controls.path) == "cmd.exe"; }));
  EXPECT_NE(program.ControlWithText(program.Main(), "DOS - Fenster"), nullptr);
}

// The test-only executable writes each launch it is handed to launches.log instead of making it.
class LaunchLogE2E : public ::testing::Test {
 protected:
  std::string folder = e2e::RunFolder("launch-log");
  Program program{"Morvela-e2e.exe", folder};

  void Launch(const std::string& path, const std::string& password) {
    MainControls controls(program);
    Program::SetText(controls.path, path);
    Program::SetText(controls.password, password);
    Program::PressKey(controls.password, VK_RETURN);
  }
  std::string Log() { return e2e::ReadFile(folder + "launches.log"); }
};

TEST_F(LaunchLogE2E, HandsTheSystemTheCommandLineOfEachFileType) {
  ASSERT_TRUE(program.Started());
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Tools\\setup.msi", "msiexec.exe /i \"C:\\Tools\\setup.msi\""},
      {"x.Msi", "msiexec.exe /i \"x.Msi\""},
      {"C:\\WINDOWS\\system32\\compmgmt.msc", "mmc.exe \"C:\\WINDOWS\\system32\\compmgmt.msc\""},
      {"C:\\Program Files\\App\\app.exe", "\"C:\\Program Files\\App\\app.exe\""},
      {"notepad", "notepad"},
      {"rundll32.exe shell32.dll Control_RunDLL appwiz.cpl",
       "rundll32.exe shell32.dll Control_RunDLL appwiz.cpl"},
      {"C:\\Tools\\app.exe ", "C:\\Tools\\app.exe "},
  };
  std::string expected;
  for (const auto& [path, commandLine] : cases) {
    Launch(path, "Geheim-123");
    expected += std::string(commandLine) + "\t\r\n";  // the run folder lies on a local drive: no directory
    ASSERT_TRUE(e2e::WaitFor([&] { return Log() == expected; })) << path << "\nlog:\n" << Log();
  }
  EXPECT_EQ(program.WaitForWindow("Fehler", 300), nullptr);
  EXPECT_EQ(Log().find("Geheim"), std::string::npos);
}

TEST_F(LaunchLogE2E, AWrongPasswordShowsTheErrorBoxAndWritesNothing) {
  ASSERT_TRUE(program.Started());
  Launch("C:\\Tools\\setup.msi", "geheim-123");
  HWND box = program.WaitForWindow("Fehler");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Program::BoxText(box), kLaunchFailed);
  Program::CloseBox(box);
  EXPECT_FALSE(e2e::FileExists(folder + "launches.log"));
}

}  // namespace
