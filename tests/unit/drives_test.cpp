// Drive types and the universal form of paths on mapped network drives.
#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "z_global/drives.h"

namespace {

TEST(GetDriveTypeName, NamesEveryTypeTheSystemReports) {
  const char* expected[] = {
      "unbekannt", "Laufwerk existiert nicht", "Wechselmedium", "Festplatte", "Netzwerk", "CD-ROM/DVD",
      "RAM Disk",  "anderer Laufwerkstyp"};
  fake::FakePlatform system;
  for (unsigned type = 0; type < 8; ++type) {
    system.driveTypes['X'] = type;
    EXPECT_EQ(z_global::GetDriveTypeName(system, 'X'), expected[type]) << type;
  }
}

TEST(GetDriveTypeName, AsksForTheRootOfTheLetterAsGiven) {
  fake::FakePlatform system;
  z_global::GetDriveTypeName(system, 'h');
  ASSERT_EQ(system.driveRootsAsked.size(), 1u);
  EXPECT_EQ(system.driveRootsAsked[0], "h:\\");
}

class ResolveNetworkPathTest : public ::testing::Test {
 protected:
  fake::FakePlatform system;
  void SetUp() override {
    system.driveTypes['C'] = platform::kDriveFixed;
    system.driveTypes['E'] = platform::kDriveRemovable;
    for (char letter : {'H', 'M', 'N', 'R'}) system.driveTypes[letter] = platform::kDriveRemote;
    system.shares["H:"] = "\\\\fileserver\\apps";
    system.shares["N:"] = "\\\\fileserver\\netz";
  }
  std::string Resolve(std::string_view path) { return z_global::ResolveNetworkPath(system, path); }
};

TEST_F(ResolveNetworkPathTest, TurnsAPathOnAMappedDriveIntoItsUniversalName) {
  EXPECT_EQ(Resolve("H:\\setup\\app.exe"), "\\\\fileserver\\apps\\setup\\app.exe");
  EXPECT_EQ(Resolve("h:\\setup\\app.exe"), "\\\\fileserver\\apps\\setup\\app.exe");
  EXPECT_EQ(Resolve("H:setup.exe"), "\\\\fileserver\\apps\\setup.exe");  // made absolute first
}

TEST_F(ResolveNetworkPathTest, LeavesLocalRemovableUniversalAndShortTextsAlone) {
  for (const char* path : {"C:\\Tools\\app.exe", "E:\\setup.msi", "\\\\fileserver\\apps\\x.exe", "H:", "H",
                           "", "Z:\\unknown\\drive.exe", "1:\\x", "\xC4:\\umlaut"})
    EXPECT_EQ(Resolve(path), path) << path;
}

// A command whose first letter happens to be a mapped network drive is no path on that drive.
TEST_F(ResolveNetworkPathTest, LeavesCommandsThatOnlyBeginWithADriveLetterAlone) {
  for (const char* command :
       {"notepad", "mmc.exe", "rundll32.exe shell32.dll Control_RunDLL appwiz.cpl", "Hx:"})
    EXPECT_EQ(Resolve(command), command) << command;
  EXPECT_TRUE(system.driveRootsAsked.empty());
}

TEST_F(ResolveNetworkPathTest, KeepsTheAbsolutePathWhenTheShareCannotBeNamed) {
  system.unresolvable.insert("H:");
  EXPECT_EQ(Resolve("H:setup.exe"), "H:\\setup.exe");
  EXPECT_EQ(Resolve("M:\\tools\\mmc.exe"), "M:\\tools\\mmc.exe");  // mapped drive without a known share
}

// Cut, a universal name could name another file: it comes back whole, and the launch refuses it.
TEST_F(ResolveNetworkPathTest, KeepsALongUniversalNameWhole) {
  const std::string name = std::string(250, 'a') + ".exe";
  EXPECT_EQ(Resolve("H:\\" + name), "\\\\fileserver\\apps\\" + name);
}

}  // namespace
