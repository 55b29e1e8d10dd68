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
const std::string kTool = "D:\\Программы\\tool.exe";

std::string Times(std::string_view text, std::size_t n) {
  std::string out;
  while (n--) out += text;
  return out;
}
// The limit counts UTF-16 units: two bytes a Cyrillic letter, two units a character beyond the BMP.
const std::string kLongestCyrillic = Times("д", 255), kLongestPairs = Times("😀", 127) + "x";
const std::string kScript = "C:\\Temp\\My Tools\\install.cmd";
const std::string kApp = "C:\\Program Files\\App\\app.exe";

struct Row {
  const char* name;
  std::vector<std::string> given = {};
  std::string text = {};  // what the request is made of
  std::string commandLine = {};
  LaunchSource source = LaunchSource::kPathBox;
  std::set<std::string> files = {};  // the files that exist
  LaunchRefusal refusal = LaunchRefusal::kNone;
  z_global::LaunchAccount account = {"Administrator", "WERKSTATT"};
  std::optional<std::string> domain = "WERKSTATT";  // as handed to the system; none: no domain
};

// What each source gives, what is refused, and how the account reaches the system. Only a launch is
// read as a command line; the program's own command line and a drop fill the path box.
// clang-format off
const Row kRows[] = {
    {.name = "Entry", .given = {kScript}, .text = kScript, .commandLine = "\"" + kScript + "\"", .source = LaunchSource::kQuickEntry, .files = {kScript}},
    {.name = "EmptyEntry", .given = {""}, .text = "", .commandLine = "", .source = LaunchSource::kQuickEntry},
    {.name = "Longest", .given = {std::string(255, 'x')}, .text = std::string(255, 'x'), .commandLine = std::string(255, 'x')},
    {.name = "TooLong", .given = {std::string(256, 'x')}, .text = std::string(256, 'x'), .refusal = LaunchRefusal::kTooLong},
    {.name = "UniversalNameTooLong", .given = {"N:\\" + std::string(250, 'x')}, .text = "N:\\" + std::string(250, 'x'), .refusal = LaunchRefusal::kTooLong},
    {.name = "PathInAnyScript", .given = {kTool}, .text = kTool, .commandLine = "\"" + kTool + "\"", .files = {kTool}},
    {.name = "LongestInCyrillic", .given = {kLongestCyrillic}, .text = kLongestCyrillic, .commandLine = kLongestCyrillic},
    {.name = "TooLongInCyrillic", .given = {kLongestCyrillic + "д"}, .text = kLongestCyrillic + "д", .refusal = LaunchRefusal::kTooLong},
    {.name = "LongestWithPairs", .given = {kLongestPairs}, .text = kLongestPairs, .commandLine = kLongestPairs},
    {.name = "TooLongWithPairs", .given = {kLongestPairs + "x"}, .text = kLongestPairs + "x", .refusal = LaunchRefusal::kTooLong},
    {.name = "TailWithQuotesAndArguments", .given = {kMorvela + " \"" + kApp + "\" /S "}, .text = "\"" + kApp + "\" /S", .source = LaunchSource::kCommandLine, .files = {kApp}},
    {.name = "TailOfTwoPackages", .given = {kMorvela + " C:\\Temp\\a.msi C:\\Temp\\b.msi"}, .text = "C:\\Temp\\a.msi", .source = LaunchSource::kCommandLine, .files = {"C:\\Temp\\a.msi", "C:\\Temp\\b.msi"}},
    {.name = "TailOfAFileInQuotes", .given = {kMorvela + "\t\"" + kScript + "\""}, .text = kScript, .source = LaunchSource::kCommandLine, .files = {kScript}},
    {.name = "TailAfterAnUnquotedName", .given = {"Morvela.exe notepad"}, .text = "notepad", .source = LaunchSource::kCommandLine},
    {.name = "NoTail", .given = {kMorvela}, .text = "", .source = LaunchSource::kCommandLine},
    {.name = "DropOfTwo", .given = {kScript, kApp}, .text = kScript, .source = LaunchSource::kDrop},
    {.name = "Upn", .given = {"notepad"}, .text = "notepad", .commandLine = "notepad", .account = {"adm@zentrale.example", "WERKSTATT"}, .domain = std::nullopt},
    {.name = "LocalAccount", .given = {"notepad"}, .text = "notepad", .commandLine = "notepad", .account = {"LAPS-Admin", "PC01"}, .domain = "PC01"},
    {.name = "AccountInAnyScript", .given = {"notepad"}, .text = "notepad", .commandLine = "notepad", .account = {"Łukasz-Admin", "Ώμέγα"}, .domain = "Ώμέγα"},
};
// clang-format on

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

INSTANTIATE_TEST_SUITE_P(Rows, LaunchRequest, ::testing::ValuesIn(kRows),
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
