// What runs as the administrator is the file the operator named, decided before anything starts: the
// shipped executable, started from a folder that holds a cmd.exe, starts the system's command window
// in the system folder; a quick-launch entry in quotes reads back from the settings file as it was
// saved; and its helper refuses to start the program itself, which would make the consent prompt name
// this program for whatever the raised copy were told next.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/stand_in.h"

namespace {

using e2e::Program;
namespace standin = e2e::standin;

using e2e::kPassword;

std::string SystemFolder() {
  char folder[MAX_PATH] = "";
  GetSystemDirectoryA(folder, MAX_PATH);
  return folder;
}

TEST(LaunchPlanE2E, StartsTheSystemsFileKeepsQuotedEntriesAndRefusesToRelayItself) {
  const std::string folder = e2e::RunFolder("launch-plan");
  e2e::WriteFile(folder + "cmd.exe", "");  // beside the program, in the folder it is started from
  standin::Session session{kPassword};
  Program program(folder);
  ASSERT_TRUE(e2e::standin::Ready(program, session));
  Program::Click(program.ControlAt(program.Main(), 8, 100));  // the command-window button
  Program::SetText(program.PasswordBox(), kPassword);
  Program::FocusBox(program.PasswordBox());  // Enter on the focused button would press it again
  Program::PressKey(program.PasswordBox(), VK_RETURN);
  ASSERT_TRUE(e2e::WaitFor([&] { return !session.Calls(standin::kLaunch).empty(); }));
  const standin::Record console = session.Calls(standin::kLaunch)[0];
  EXPECT_EQ(standin::Narrow(console.commandLine), "\"cmd.exe\"");
  EXPECT_EQ(lstrcmpiA(standin::Narrow(console.application).c_str(), (SystemFolder() + "\\cmd.exe").c_str()),
            0);
  EXPECT_EQ(lstrcmpiA(standin::Narrow(console.directory).c_str(), (SystemFolder() + "\\").c_str()), 0);

  const std::string quoted = "\"C:\\Temp\\My Tools\\app.exe\" \"/S\"";
  HWND editor = program.OpenEditor();
  ASSERT_NE(editor, nullptr);
  Program::ClickAt(editor, 16 + 10, 36 + 8);  // the first entry, loaded into the boxes before typing
  ASSERT_TRUE(e2e::WaitFor([&] { return program.ControlWithText(editor, "SpeedButton1") != nullptr; }));
  Program::SetText(program.ControlAt(editor, 44, 144), quoted);
  Program::Click(program.ControlAt(editor, 112, 200));  // save
  HWND saved = program.WaitForWindow("Information");
  ASSERT_NE(saved, nullptr) << program.NextError();
  Program::CloseBox(saved);
  Program::SetText(program.ControlAt(editor, 44, 144), "");
  Program::ClickAt(editor, 16 + 10, 36 + 8);  // chosen again: read from the file by the system
  EXPECT_TRUE(e2e::WaitFor([&] { return Program::Text(program.ControlAt(editor, 44, 144)) == quoted; }))
      << Program::Text(program.ControlAt(editor, 44, 144));
  PostMessageA(editor, WM_CLOSE, 0, 0);
  ASSERT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(editor); }));

  session.Elevation(3);  // a split token: the helper
  Program::SetText(program.PathBox(), "\"" + folder + "Morvela.exe\" /Morvela-Helfer:Start 0 \"" +
                                          SystemFolder() + "\\cmd.exe\" C:\\ \"\"");
  Program::PressKey(program.PasswordBox(), VK_RETURN);
  const std::string refused = program.NextError();
  EXPECT_TRUE(refused.ends_with("(Fehler 5)")) << refused;
  EXPECT_EQ(session.Calls(standin::kLaunch).size(), 2u);  // the console and the helper
  EXPECT_TRUE(session.Calls(standin::kRunAs).empty());
}

}  // namespace
