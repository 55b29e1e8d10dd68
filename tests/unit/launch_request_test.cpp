// The launch request: what each source gives becomes the text, account, domain and command line a
// launch gets, or a refusal, with files that exist or not in the fake system.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "z_global/launch_request.h"
#include "z_global/system_info.h"

namespace {

using z_global::LaunchRefusal;
using z_global::LaunchSource;

const std::string kMorvela = "\"C:\\Programme\\Morvela\\Morvela.exe\"";
const std::string kLacking(2, '\x01');  // two characters that the code page lacks

struct Row {
  const char* name;
  LaunchSource source;
  std::vector<std::string> given;
  std::set<std::string> files;  // the files that exist
  std::string text;             // what the request is made of
  std::string commandLine;
  LaunchRefusal refusal = LaunchRefusal::kNone;
  z_global::LaunchAccount account = {"Administrator", "WERKSTATT"};
  std::optional<std::string> domain = "WERKSTATT";  // as handed to the system; none: no domain
};

const std::set<std::string> kPlanted = {"C:\\Temp\\My.exe", "C:\\Program.exe"};

std::vector<Row> Rows() {
  const std::string tool = "C:\\Temp\\My Tools\\tool.exe";
  const std::string script = "C:\\Temp\\My Tools\\install.cmd";
  const std::string app = "C:\\Program Files\\App\\app.exe";
  std::set<std::string> withScript = kPlanted, withTool = kPlanted, withApp = kPlanted;
  withScript.insert(script);
  withTool.insert(tool);
  withApp.insert(app);
  const auto pathBox = LaunchSource::kPathBox;
  std::vector<Row> rows = {
      {"QuotedProgramWithArguments",
       pathBox,
       {"\"" + app + "\" /S"},
       {},
       "\"" + app + "\" /S",
       "\"" + app + "\" /S"},
      {"ProgramWithBlanks", pathBox, {app}, {}, app, "\"" + app + "\""},
      {"PackageInQuotes",
       pathBox,
       {"\"C:\\A B\\setup.msi\""},
       {},
       "\"C:\\A B\\setup.msi\"",
       "msiexec.exe /i \"C:\\A B\\setup.msi\""},
      {"ExistingScript", pathBox, {script}, withScript, script, "\"" + script + "\""},
      {"MissingScript", pathBox, {script}, {}, script, script},
      {"ProgramWithArgumentsBesideAShorterOne",
       pathBox,
       {tool + " /q"},
       withTool,
       tool + " /q",
       "\"" + tool + "\" /q"},
      {"ProgramNamedWithoutExe",
       pathBox,
       {"C:\\Program Files\\App\\app /S"},
       withApp,
       "C:\\Program Files\\App\\app /S",
       "\"C:\\Program Files\\App\\app\" /S"},
      {"PackageWithArguments",
       pathBox,
       {"C:\\Temp\\My Tools\\a.msi /qn"},
       {"C:\\Temp\\My Tools\\a.msi"},
       "C:\\Temp\\My Tools\\a.msi /qn",
       "msiexec.exe /i \"C:\\Temp\\My Tools\\a.msi\" /qn"},
      {"Applet",
       pathBox,
       {"rundll32.exe shell32.dll Control_RunDLL appwiz.cpl"},
       kPlanted,
       "rundll32.exe shell32.dll Control_RunDLL appwiz.cpl",
       "rundll32.exe shell32.dll Control_RunDLL appwiz.cpl"},
      {"BareCommand", pathBox, {"notepad"}, {}, "notepad", "notepad"},
      {"Longest", pathBox, {std::string(255, 'x')}, {}, std::string(255, 'x'), std::string(255, 'x')},
      {"TooLong", pathBox, {std::string(256, 'x')}, {}, std::string(256, 'x'), "", LaunchRefusal::kTooLong},
      {"UniversalNameTooLong",
       pathBox,
       {"N:\\" + std::string(250, 'x')},
       {},
       "N:\\" + std::string(250, 'x'),
       "",
       LaunchRefusal::kTooLong},
      {"NotInCodePage",
       pathBox,
       {"C:\\Temp\\" + kLacking + ".exe"},
       {},
       "C:\\Temp\\" + kLacking + ".exe",
       "",
       LaunchRefusal::kNotInCodePage},
      {"Entry", LaunchSource::kQuickEntry, {script}, withScript, script, "\"" + script + "\""},
      {"EmptyEntry", LaunchSource::kQuickEntry, {""}, {}, "", ""},
      {"TailWithQuotesAndArguments",
       LaunchSource::kCommandLine,
       {kMorvela + " \"" + app + "\" /S "},
       withApp,
       "\"" + app + "\" /S",
       "\"" + app + "\" /S"},
      {"TailOfTwoPackages",
       LaunchSource::kCommandLine,
       {kMorvela + " C:\\Temp\\a.msi C:\\Temp\\b.msi"},
       {"C:\\Temp\\a.msi", "C:\\Temp\\b.msi"},
       "C:\\Temp\\a.msi",
       "msiexec.exe /i \"C:\\Temp\\a.msi\""},
      {"TailOfAFileInQuotes",
       LaunchSource::kCommandLine,
       {kMorvela + "\t\"" + script + "\""},
       withScript,
       script,
       "\"" + script + "\""},
      {"TailAfterAnUnquotedName",
       LaunchSource::kCommandLine,
       {"Morvela.exe notepad"},
       {},
       "notepad",
       "notepad"},
      {"NoTail", LaunchSource::kCommandLine, {kMorvela}, {}, "", ""},
      {"TailNotInCodePage",
       LaunchSource::kCommandLine,
       {kMorvela + " " + kLacking + ".msi"},
       {},
       kLacking + ".msi",
       "",
       LaunchRefusal::kNotInCodePage},
      {"DropOfTwo", LaunchSource::kDrop, {script, tool}, withScript, script, "\"" + script + "\""},
      {"DropNotInCodePage",
       LaunchSource::kDrop,
       {"C:\\Temp\\" + kLacking + ".exe"},
       {},
       "C:\\Temp\\" + kLacking + ".exe",
       "",
       LaunchRefusal::kNotInCodePage},
  };
  // The account forms: a UPN logs on without a domain; a name or domain the code page lacks is refused.
  const auto accountRow = [&](const char* name, z_global::LaunchAccount account,
                              std::optional<std::string> domain, LaunchRefusal refusal) {
    rows.push_back({name,
                    pathBox,
                    {"notepad"},
                    {},
                    "notepad",
                    refusal == LaunchRefusal::kNone ? "notepad" : "",
                    refusal,
                    account,
                    domain});
  };
  accountRow("Upn", {"adm@zentrale.example", "WERKSTATT"}, std::nullopt, LaunchRefusal::kNone);
  accountRow("LocalAccount", {"LAPS-Admin", "PC01"}, "PC01", LaunchRefusal::kNone);
  accountRow("UserNotInCodePage", {kLacking + "ukasz", "WERKSTATT"}, std::nullopt,
             LaunchRefusal::kAccountNotInCodePage);
  accountRow("DomainNotInCodePage", {"Administrator", kLacking}, std::nullopt,
             LaunchRefusal::kAccountNotInCodePage);
  return rows;
}

class LaunchRequest : public ::testing::TestWithParam<Row> {};

TEST_P(LaunchRequest, IsMadeAsStated) {
  const Row& row = GetParam();
  fake::FakePlatform system;
  system.files = row.files;
  system.driveTypes['N'] = platform::kDriveRemote;
  system.shares["N:"] = "\\\\server\\share";
  const z_global::LaunchRequest request = z_global::RequestLaunch(system, row.account, row.source, row.given);
  EXPECT_EQ(request.refusal, row.refusal);
  EXPECT_EQ(request.text, row.text);
  EXPECT_EQ(request.commandLine, row.commandLine);
  const bool launches = row.source == LaunchSource::kPathBox || row.source == LaunchSource::kQuickEntry;
  const bool accepted = row.refusal == LaunchRefusal::kNone && launches;
  EXPECT_EQ(request.user, accepted ? row.account.user : "");
  EXPECT_EQ(request.domain, accepted ? row.domain : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Rows, LaunchRequest, ::testing::ValuesIn(Rows()),
                         [](const auto& row) { return std::string(row.param.name); });

// The system's texts keep their inserts for later filling; a reason never shows a raw "%1".
TEST(FilledInserts, FillsTheFirstWithTheProgramAndLeavesTheOthersOut) {
  const struct {
    const char* message;
    const char* program;
    const char* filled;
  } rows[] = {
      {"%1 ist keine zulässige Win32-Anwendung.\r\n", "C:\\x.exe",
       "C:\\x.exe ist keine zulässige Win32-Anwendung."},
      {"%1 ist keine zulässige Win32-Anwendung.\r\n", "", "ist keine zulässige Win32-Anwendung."},
      {"Das System kann die angegebene Datei nicht finden.\r\n", "x",
       "Das System kann die angegebene Datei nicht finden."},
      {"Die Datei %1!s! fehlt.", "a.exe", "Die Datei a.exe fehlt."},
      {"Weder %2 noch %1 ist da.", "a.exe", "Weder noch a.exe ist da."},
      {"100%% sicher%nzweite Zeile%0 nicht mehr", "", "100% sicher zweite Zeile"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(z_global::FilledInserts(row.message, row.program), row.filled) << row.message;
}

}  // namespace
