// Names in any script, with the shipped executable kept in a folder named with "Ω": it finds its
// settings file there (saved as UTF-8), shows and logs on with an account named with "Ł", starts a
// program in a folder of Cyrillic and Japanese letters from the path box, from a drop and from a quick
// launch, and names itself and the program exactly to its helper.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "e2e/stand_in.h"

namespace {

using e2e::Program;
using e2e::Wide;
namespace standin = e2e::standin;

using e2e::kPassword;
const char kAccount[] = "Łukasz-Admin";

bool SameFile(const standin::Text& given, const std::string& expected) {
  return lstrcmpiW(Wide(standin::Narrow(given)).c_str(), Wide(expected).c_str()) == 0;
}

TEST(NamesE2E, AreLaunchedLoggedOnWithAndFoundInAnyScript) {
  const std::string folder = e2e::RunFolder("names") + "Werkzeuge Ω\\";
  const std::string tools = folder + "Программы 東京\\";
  CreateDirectoryW(Wide(folder).c_str(), nullptr);
  CreateDirectoryW(Wide(tools).c_str(), nullptr);
  const std::string tool = tools + "tool.exe";
  e2e::WriteFile(tool, "");
  e2e::WriteFile(folder + "Morvela.INI", "\xEF\xBB\xBF[SpeedButton1]\r\nText=Łódź\r\nPfad=" + tool +
                                             "\r\n[Anmeldung]\r\nBenutzer=" + kAccount + "\r\n");
  standin::Session session{kPassword};
  session.AcceptAccount(kAccount);
  Program program(folder);
  ASSERT_TRUE(e2e::standin::Ready(program, session));
  EXPECT_NE(program.ControlWithText(program.Main(), kAccount), nullptr);  // the settings file was found

  program.Run(tool);
  ASSERT_TRUE(e2e::WaitFor([&] { return session.Calls(standin::kLaunch).size() == 1; }));
  Program::SetText(program.PathBox(), "");
  ASSERT_TRUE(session.Drop(program.Process(), program.Main(), {Wide(tool)}));
  ASSERT_TRUE(e2e::WaitFor([&] { return Program::Text(program.PathBox()) == tool; }));
  Program::PressKey(program.PasswordBox(), VK_RETURN);
  Program::ClickAt(program.Main(), 144 + 10, 100 + 8);  // quick launch 1
  ASSERT_TRUE(e2e::WaitFor([&] { return session.Calls(standin::kLaunch).size() == 3; }));
  for (const standin::Record& launch : session.Calls(standin::kLaunch)) {
    EXPECT_EQ(standin::Narrow(launch.user), kAccount);
    EXPECT_TRUE(SameFile(launch.application, tool)) << standin::Narrow(launch.application);
    EXPECT_EQ(standin::Narrow(launch.commandLine), "\"" + tool + "\"");
  }

  session.Elevation(3);  // a split token: the program's own helper, named by its exact path
  Program::PressKey(program.PasswordBox(), VK_RETURN);
  ASSERT_TRUE(e2e::WaitFor([&] { return !session.Calls(standin::kRunAs).empty(); }));
  const standin::Record helper = session.Calls(standin::kLaunch).back();
  EXPECT_TRUE(SameFile(helper.application, folder + "Morvela.exe")) << standin::Narrow(helper.application);
  EXPECT_TRUE(SameFile(session.Calls(standin::kRunAs).back().application, tool));
  EXPECT_EQ(program.WaitForWindow("Fehler", 0), nullptr);
}

}  // namespace
