// The shipped executable starts what the operator named and nothing else: a path handed in keeps its
// quotes, a file in a folder with a blank is quoted, a name in letters the code page lacks is taken
// exactly, a text of more than 255 characters is refused, and the accounts are written as
// administrators write them.
#include <gtest/gtest.h>

#include "e2e/account_run.h"
#include "e2e/driver.h"
#include "e2e/stand_in.h"

namespace {

using e2e::Program;
using e2e::Wide;
namespace standin = e2e::standin;

using e2e::kPassword;

// The command line of the launch that comes next.
std::string NextLaunch(const standin::Session& session) {
  return standin::Narrow(session.Next(standin::kLaunch).commandLine);
}

TEST(LaunchRequestE2E, KeepsTheQuotesOfAPathHandedInWithItsArguments) {
  standin::Session session{kPassword};
  Program program(e2e::RunFolder("tail-quoted"), "Morvela.exe", {}, "\"C:\\Program Files\\App\\app.exe\" /S");
  ASSERT_TRUE(program.Started());
  EXPECT_EQ(Program::Text(program.PathBox()), "\"C:\\Program Files\\App\\app.exe\" /S");
  ASSERT_TRUE(session.InstallInto(program.Process()));
  program.Run();
  EXPECT_EQ(NextLaunch(session), "\"C:\\Program Files\\App\\app.exe\" /S");
}

TEST(LaunchRequestE2E, TakesTheFirstOfTwoPackagesHandedIn) {
  const std::string folder = e2e::RunFolder("tail-two-packages");
  e2e::WriteFile(folder + "a.msi", "");
  e2e::WriteFile(folder + "b.msi", "");
  standin::Session session{kPassword};
  Program program(folder, "Morvela.exe", {}, folder + "a.msi " + folder + "b.msi");
  ASSERT_TRUE(program.Started());
  EXPECT_EQ(Program::Text(program.PathBox()), folder + "a.msi");
  ASSERT_TRUE(session.InstallInto(program.Process()));
  program.Run();
  EXPECT_EQ(NextLaunch(session), "msiexec.exe /i \"" + folder + "a.msi\"");
}

// Unquoted, Windows would try "...\My.exe" first, in a folder the script's owner could write to.
TEST(LaunchRequestE2E, QuotesADroppedScriptInAFolderWithABlank) {
  const std::string folder = e2e::RunFolder("drop-script");
  const std::string tools = folder + "My Tools\\";
  CreateDirectoryA(tools.c_str(), nullptr);
  e2e::WriteFile(tools + "install.cmd", "");
  standin::Session session{kPassword};
  Program program(folder);
  ASSERT_TRUE(e2e::standin::Ready(program, session));
  ASSERT_TRUE(session.Drop(program.Process(), program.Main(), {Wide(tools + "install.cmd")}));
  ASSERT_TRUE(e2e::WaitFor([&] { return Program::Text(program.PathBox()) == tools + "install.cmd"; }));
  program.Run();
  EXPECT_EQ(NextLaunch(session), "\"" + tools + "install.cmd\"");
}

// A dropped name in letters the code page lacks is taken exactly: the full-width letters are not
// "setup.exe", which the system's best fit would make of them, and which lies beside it.
TEST(LaunchRequestE2E, TakesADroppedNameInLettersTheCodePageLacksExactly) {
  const std::string folder = e2e::RunFolder("drop-full-width");
  const std::string name = folder + "ｓｅｔｕｐ.exe";
  CloseHandle(CreateFileW(Wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  e2e::WriteFile(folder + "setup.exe", "");
  standin::Session session{kPassword};
  Program program(folder);
  ASSERT_TRUE(e2e::standin::Ready(program, session));
  ASSERT_TRUE(session.Drop(program.Process(), program.Main(), {Wide(name)}));
  ASSERT_TRUE(e2e::WaitFor([&] { return Program::Text(program.PathBox()) == name; }));
  program.Run();
  EXPECT_EQ(NextLaunch(session), "\"" + name + "\"");
}

TEST(LaunchRequestE2E, RefusesATextOf300CharactersInsteadOfCuttingIt) {
  standin::Session session{kPassword};
  Program program(e2e::RunFolder("long-text"));
  ASSERT_TRUE(e2e::standin::Ready(program, session));
  const std::string text = "C:\\" + std::string(280, 'a') + "\\Setup Tool.exe";
  program.Run(text.substr(0, 300));
  const std::string refusal = program.NextError();
  EXPECT_EQ(refusal.rfind("Der Pfad ist länger als 255 Zeichen.", 0), 0u) << refusal;
  EXPECT_TRUE(refusal.ends_with("Es wurde nichts gestartet.")) << refusal;
  EXPECT_EQ(Program::Text(program.PathBox()), text.substr(0, 300));
  EXPECT_EQ(Program::Text(program.PasswordBox()).size(), std::string(kPassword).size());  // still there
  EXPECT_TRUE(session.Calls(standin::kLaunch).empty());
}

// "name@domain" goes to the system without a domain, for the launch and for the gate; an account with
// an umlaut is read right by the gate's wide logon.
TEST(LaunchRequestE2E, LogsOnAccountsAsAdministratorsWriteThem) {
  const struct {
    const char* user;
    bool domainPassed;
  } rows[] = {{"adm@zentrale.example", false}, {"Größe-Admin", true}};
  for (const auto& row : rows) {
    e2e::AccountRun run("account-forms", std::string("Benutzer=") + row.user + "\r\n", row.user, kPassword);
    ASSERT_TRUE(run.Ready());
    Program& program = run.program;
    standin::Session& session = run.session;
    EXPECT_NE(program.ControlWithText(program.Main(), row.user), nullptr) << row.user;
    Program::SetText(program.PathBox(), "notepad");
    program.Run();
    EXPECT_EQ(NextLaunch(session), "notepad");
    HWND editor = program.OpenEditor();  // through the gate
    EXPECT_NE(editor, nullptr) << row.user;
    if (editor) PostMessageA(editor, WM_CLOSE, 0, 0);
    for (const standin::Call call : {standin::kLaunch, standin::kLogon}) {
      const std::vector<standin::Record> calls = session.Calls(call);
      ASSERT_FALSE(calls.empty()) << row.user;
      EXPECT_TRUE(calls[0].answer) << row.user;
      EXPECT_EQ(standin::Narrow(calls[0].user), row.user);
      EXPECT_EQ(calls[0].domain.present != FALSE, row.domainPassed) << row.user;
    }
  }
}

}  // namespace
