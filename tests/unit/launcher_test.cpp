// The elevated launcher: command lines by file type, the arguments handed to the system, the wiping of
// every wide copy, and where the launched program starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "Unit1/run_as_user.h"
#include "fakes/fake_platform.h"
#include "z_global/launch_request.h"
#include "z_global/paths.h"

namespace {

TEST(CommandLineFor, ChoosesTheHostByTheUpperCasedExtension) {
  struct Case {
    const char* path;
    const char* expected;  // nullptr: passed unchanged
  };
  const Case cases[] = {
      {"C:\\Tools\\setup.msi", "msiexec.exe /i \"C:\\Tools\\setup.msi\""},
      {"x.Msi", "msiexec.exe /i \"x.Msi\""},
      {"C:\\WINDOWS\\system32\\compmgmt.msc", "mmc.exe \"C:\\WINDOWS\\system32\\compmgmt.msc\""},
      {"C:\\Program Files\\App\\app.exe", "\"C:\\Program Files\\App\\app.exe\""},
      {"prog.ExE", "\"prog.ExE\""},
      {"C:\\DOS\\TOOL.COM", "\"C:\\DOS\\TOOL.COM\""},
      {"D:prog.exe", "\"D:prog.exe\""},
      {"C:\\scripts\\start.bat", nullptr},
      {"notepad", nullptr},
      {"rundll32.exe shell32.dll Control_RunDLL appwiz.cpl", nullptr},
      {"rundll32 printui.dll,PrintUIEntry /dl /n \"Laser 1\"", nullptr},
      {"C:\\ordner.alt\\programm", nullptr},  // the last dot lies before the last backslash
      {"archiv.exe:stream", nullptr},         // ... or before a colon
      {"C:\\app.exe ", nullptr},              // the blank belongs to the extension
      {"C:\\Setup.MSI.bak", nullptr},
      {"C:\\Tools\\\xFC"
       "ber.\xE9xe",
       nullptr},  // only a-z are upper-cased: ".éXE" is no match
      {"", nullptr},
  };
  fake::FakePlatform system;  // no file exists
  for (const Case& c : cases)
    EXPECT_EQ(z_global::CommandLineFor(system, c.path), c.expected ? c.expected : c.path)
        << "path: [" << c.path << "]";
}

TEST(CommandLineFor, KeepsBlanksAndWrapsQuotedPathsAgain) {
  fake::FakePlatform system;
  EXPECT_EQ(z_global::CommandLineFor(system, " C:\\app.exe"), "\" C:\\app.exe\"");
  EXPECT_EQ(z_global::CommandLineFor(system, "\"C:\\Pro gramme\"\\app.exe"),
            "\"\"C:\\Pro gramme\"\\app.exe\"");
  EXPECT_EQ(z_global::CommandLineFor(system, "C:\\\"x\"\\setup.msi"),
            "msiexec.exe /i \"C:\\\"x\"\\setup.msi\"");
}

TEST(ExtensionOf, TakesTheLastDotAfterTheLastSeparator) {
  EXPECT_EQ(z_global::ExtensionOf("C:\\a.b\\c.d.exe"), ".exe");
  EXPECT_EQ(z_global::ExtensionOf("C:\\a.b\\c"), "");
  EXPECT_EQ(z_global::ExtensionOf("x:y.z"), ".z");
  EXPECT_EQ(z_global::ExtensionOf("a.b:c"), "");
  EXPECT_EQ(z_global::ExtensionOf("datei."), ".");
}

class RunAsUserTest : public ::testing::Test {
 protected:
  fake::FakePlatform system;
  secret::Wide password{std::u16string_view(u"Geheim-123")};

  static z_global::LaunchRequest Request(std::string_view commandLine, std::optional<std::string> domain) {
    return {z_global::LaunchRefusal::kNone, {}, "Administrator", std::move(domain), std::string(commandLine)};
  }
  fake::LaunchRecord Launch(std::string_view commandLine, std::string_view domain = "WERKSTATT") {
    EXPECT_TRUE(RunAsUser(system, Request(commandLine, std::string(domain)), password).ok);
    return system.launches.back();
  }
};

TEST_F(RunAsUserTest, HandsTheSystemTheDeclaredArguments) {
  const fake::LaunchRecord launch = Launch("\"C:\\Program Files\\App\\app.exe\"");
  EXPECT_EQ(launch.user, "Administrator");
  EXPECT_EQ(launch.domain, "WERKSTATT");
  EXPECT_TRUE(launch.passwordAccepted);
  EXPECT_EQ(launch.logonFlags, 0u);
  EXPECT_TRUE(launch.applicationNameNull);
  EXPECT_EQ(launch.commandLine, "\"C:\\Program Files\\App\\app.exe\"");
  EXPECT_TRUE(launch.commandLineWritable);
  EXPECT_EQ(launch.creationFlags, 0u);
  EXPECT_TRUE(launch.environmentNull);
  EXPECT_EQ(launch.startupSize, 68u);
  EXPECT_FALSE(launch.currentDirectory.has_value());  // a local folder is inherited
}

TEST_F(RunAsUserTest, PassesAnEmptyDomainAsAnEmptyStringAndNoDomainAsNull) {
  const fake::LaunchRecord launch = Launch("notepad", "");
  EXPECT_FALSE(launch.domainNull);
  EXPECT_EQ(launch.domain, "");
  EXPECT_TRUE(RunAsUser(system, Request("notepad", std::nullopt), password).ok);
  EXPECT_TRUE(system.launches.back().domainNull);
}

TEST_F(RunAsUserTest, ReportsEveryRefusalWithTheSystemsCode) {
  secret::Wide wrong{std::u16string_view(u"geheim-123")};
  const platform::CallResult refused = RunAsUser(system, Request("notepad", ""), wrong);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.error, 1326u);
  EXPECT_FALSE(RunAsUser(system, Request("notepad", ""), secret::Wide()).ok);
  const platform::CallResult empty = RunAsUser(system, Request("", ""), password);
  EXPECT_FALSE(empty.ok);  // an empty command line
  EXPECT_EQ(empty.error, 2u);
  ASSERT_EQ(system.launches.size(), 3u);
  EXPECT_EQ(system.launches.back().commandLine, "");
}

// Released blocks of wiping buffers, with whether each was all zeros when it went back to the heap.
std::vector<std::pair<const void*, bool>> g_released;

void RecordRelease(const void* block, std::size_t bytes) {
  const auto* p = static_cast<const unsigned char*>(block);
  g_released.emplace_back(block, std::all_of(p, p + bytes, [](unsigned char b) { return b == 0; }));
}

TEST_F(RunAsUserTest, WipesEveryWideCopyBeforeItsMemoryIsReleased) {
  g_released.clear();
  secret::SetReleaseObserver(RecordRelease);
  const fake::LaunchRecord launch = Launch("msiexec.exe /i \"C:\\Tools\\setup.msi\"");
  secret::SetReleaseObserver(nullptr);

  // The password reaches the system from the caller's own wiping buffer, without a copy of its own.
  EXPECT_EQ(launch.passwordBuffer, password.c_str());
  for (const void* buffer : {launch.userBuffer, launch.domainBuffer, launch.commandBuffer}) {
    auto it =
        std::find_if(g_released.begin(), g_released.end(), [&](const auto& r) { return r.first == buffer; });
    ASSERT_NE(it, g_released.end()) << "a buffer handed to the launch was not a wiping buffer";
    EXPECT_TRUE(it->second) << "a buffer handed to the launch was released unwiped";
  }
}

TEST_F(RunAsUserTest, KeepsThePasswordOutOfEverythingThatOutlivesTheCall) {
  Launch("\"C:\\Tools\\app.exe\"");
  const fake::LaunchRecord& launch = system.launches.back();
  for (const std::string& text : {launch.user, launch.domain, launch.commandLine})
    EXPECT_EQ(text.find("Geheim"), std::string::npos);
}

TEST(SecretText, CutWipesTheDroppedCharactersInPlace) {
  secret::Text text{std::string_view("abcdef")};
  const char* data = text.c_str();
  text.Cut(2);
  EXPECT_EQ(text.view(), "ab");
  EXPECT_EQ(data[3], '\0');
  EXPECT_EQ(data[5], '\0');
}

// Where the launched program starts: this program's folder on a network drive is not visible to the
// administrator's logon session, so its universal name (or the Windows folder) is passed instead.
TEST_F(RunAsUserTest, PassesTheUniversalNameOfANetworkCurrentDirectory) {
  system.driveTypes['N'] = platform::kDriveRemote;
  system.shares["N:"] = "\\\\srv\\tools";
  system.currentDirectory = "N:\\Morvela";
  EXPECT_EQ(Launch("notepad").currentDirectory, std::optional<std::string>("\\\\srv\\tools\\Morvela"));
}

TEST_F(RunAsUserTest, PassesTheWindowsDirectoryWhenTheNetworkDirectoryHasNoUniversalName) {
  system.driveTypes['N'] = platform::kDriveRemote;
  system.shares["N:"] = "\\\\srv\\tools";
  system.unresolvable.insert("N:");
  system.currentDirectory = "N:\\Morvela";
  EXPECT_EQ(Launch("notepad").currentDirectory, std::optional<std::string>("C:\\WINDOWS"));
}

TEST_F(RunAsUserTest, PassesNoDirectoryForLocalRemovableOrUniversalFolders) {
  system.driveTypes['C'] = platform::kDriveFixed;
  system.driveTypes['E'] = platform::kDriveRemovable;
  for (const char* folder : {"C:\\Tools", "E:\\", "\\\\srv\\tools\\Morvela"}) {
    system.currentDirectory = folder;
    EXPECT_FALSE(Launch("notepad").currentDirectory.has_value()) << folder;
  }
  system.currentDirectoryFails = true;
  EXPECT_FALSE(Launch("notepad").currentDirectory.has_value());
}

}  // namespace
