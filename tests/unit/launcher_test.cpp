// The logon launch: the arguments handed to the system and the wiping of every wide copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "fakes/fake_platform.h"
#include "z_global/launcher.h"
#include "z_global/paths.h"

namespace {

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

  static z_global::LaunchRequest Request(std::optional<std::string> domain) {
    z_global::LaunchRequest request;
    request.user = "Administrator";
    request.domain = std::move(domain);
    return request;
  }
  platform::CallResult Run(std::string_view commandLine, std::optional<std::string> domain = "WERKSTATT",
                           const secret::Wide* with = nullptr) {
    z_global::LaunchPlan plan;
    plan.commandLine = commandLine;
    plan.applicationName = "C:\\Program Files\\App\\app.exe";
    plan.directory = "C:\\Program Files\\App\\";
    return z_global::RunAsUser(system, plan, Request(std::move(domain)), with ? *with : password);
  }
  fake::LaunchRecord Launch(std::string_view commandLine, std::string_view domain = "WERKSTATT") {
    EXPECT_TRUE(Run(commandLine, std::string(domain)).ok);
    return system.launches.back();
  }
};

TEST_F(RunAsUserTest, HandsTheSystemTheDeclaredArguments) {
  const fake::LaunchRecord launch = Launch("\"C:\\Program Files\\App\\app.exe\"");
  EXPECT_EQ(launch.user, "Administrator");
  EXPECT_EQ(launch.domain, "WERKSTATT");
  EXPECT_TRUE(launch.passwordAccepted);
  EXPECT_EQ(launch.logonFlags, 0u);
  EXPECT_EQ(launch.applicationName, "C:\\Program Files\\App\\app.exe");
  EXPECT_EQ(launch.commandLine, "\"C:\\Program Files\\App\\app.exe\"");
  EXPECT_TRUE(launch.commandLineWritable);
  EXPECT_EQ(launch.creationFlags, 0u);
  EXPECT_TRUE(launch.environmentNull);
  EXPECT_EQ(launch.startupSize, 68u);
  EXPECT_EQ(launch.currentDirectory, "C:\\Program Files\\App\\");
}

TEST_F(RunAsUserTest, PassesAnEmptyDomainAsAnEmptyStringAndNoDomainAsNull) {
  const fake::LaunchRecord launch = Launch("notepad", "");
  EXPECT_FALSE(launch.domainNull);
  EXPECT_EQ(launch.domain, "");
  EXPECT_TRUE(Run("notepad", std::nullopt).ok);
  EXPECT_TRUE(system.launches.back().domainNull);
}

TEST_F(RunAsUserTest, ReportsEveryRefusalWithTheSystemsCode) {
  secret::Wide wrong{std::u16string_view(u"geheim-123")};
  const platform::CallResult refused = Run("notepad", "", &wrong);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.error, 1326u);
  const secret::Wide none;
  EXPECT_FALSE(Run("notepad", "", &none).ok);
  const platform::CallResult empty = Run("", "");
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

}  // namespace
