// The shipped executable as a file: a 32-bit GUI program that imports only the system's own DLLs and
// carries its manifest (common controls 6, no execution level), a version record and an icon.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "e2e/driver.h"

namespace {

class ExecutableE2E : public ::testing::Test {
 protected:
  std::string image = e2e::ReadFile(e2e::BinFolder() + "Morvela.exe");

  template <class T>
  const T& At(std::size_t offset) const {
    return *reinterpret_cast<const T*>(image.data() + offset);
  }
  const IMAGE_NT_HEADERS32& Headers() const {
    return At<IMAGE_NT_HEADERS32>(At<IMAGE_DOS_HEADER>(0).e_lfanew);
  }
  std::size_t FileOffset(DWORD rva) const {
    const IMAGE_NT_HEADERS32& nt = Headers();
    const auto* section = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
        reinterpret_cast<const char*>(&nt.OptionalHeader) + nt.FileHeader.SizeOfOptionalHeader);
    for (int i = 0; i < nt.FileHeader.NumberOfSections; ++i, ++section)
      if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->Misc.VirtualSize)
        return rva - section->VirtualAddress + section->PointerToRawData;
    return 0;
  }
};

TEST_F(ExecutableE2E, IsA32BitGuiProgramImportingOnlySystemLibraries) {
  ASSERT_GT(image.size(), 4096u);
  const IMAGE_NT_HEADERS32& nt = Headers();
  EXPECT_EQ(nt.Signature, static_cast<DWORD>(IMAGE_NT_SIGNATURE));
  EXPECT_EQ(nt.FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  const std::set<std::string> system = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",
                                        "kernel32.dll", "mpr.dll",      "msvcrt.dll",   "shell32.dll",
                                        "user32.dll",   "winspool.drv"};
  const DWORD imports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  int count = 0;
  for (std::size_t at = FileOffset(imports); At<IMAGE_IMPORT_DESCRIPTOR>(at).Name != 0;
       at += sizeof(IMAGE_IMPORT_DESCRIPTOR), ++count) {
    std::string name = image.data() + FileOffset(At<IMAGE_IMPORT_DESCRIPTOR>(at).Name);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_TRUE(system.count(name)) << name << " is not a system library";
  }
  EXPECT_GT(count, 5);
}

TEST_F(ExecutableE2E, CarriesItsManifestVersionRecordAndIcon) {
  HMODULE module =
      LoadLibraryExA((e2e::BinFolder() + "Morvela.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(manifest, nullptr);
  const std::string text(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                         SizeofResource(module, manifest));
  EXPECT_NE(text.find("\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos)
      << text;
  EXPECT_EQ(text.find("requestedExecutionLevel"), std::string::npos);
  EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16)), nullptr);  // RT_VERSION
  EXPECT_NE(FindResourceA(module, "MAINICON", MAKEINTRESOURCEA(14)), nullptr);           // RT_GROUP_ICON
  FreeLibrary(module);
}

}  // namespace
