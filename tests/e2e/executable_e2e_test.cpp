// The shipped executable as a file: a 32-bit GUI program that imports only the system's own DLLs and
// carries its manifest (common controls 6, the rights of its user without virtualization, the systems
// from Windows 7 on), a version record and an icon; and its hardening: address randomisation, no
// execution of data, the imported libraries from the system folder only, Terminal-Server aware. (Its
// stack canary is checked on the program's objects by the test of stack_canary.cmake.)
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h:
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "e2e/driver.h"

namespace {

// The libraries of the file dialog, the shell, the printer list and the network-name lookup, and those
// of screen readers' questions: loaded when first used, not at start. (Wine's display driver loads
// ole32 into every process with a window, so it is not among them.)
const std::set<std::string> kLoadedWhenUsed = {"comdlg32.dll", "shell32.dll", "winspool.drv",
                                               "mpr.dll",      "oleacc.dll",  "oleaut32.dll"};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The modules a running process has loaded.
std::vector<MODULEENTRY32> Modules(DWORD process) {
  std::vector<MODULEENTRY32> modules;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
  if (snapshot == INVALID_HANDLE_VALUE) return modules;
  MODULEENTRY32 module{};
  module.dwSize = sizeof module;
  for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module))
    modules.push_back(module);
  CloseHandle(snapshot);
  return modules;
}

// The libraries a running process has loaded, by lower-case file name, with their folders.
std::map<std::string, std::string> LoadedLibraries(DWORD process) {
  std::map<std::string, std::string> loaded;
  for (const MODULEENTRY32& module : Modules(process)) {
    const std::string path = Lower(module.szExePath);
    loaded[Lower(module.szModule)] = path.substr(0, path.find_last_of('\\'));
  }
  return loaded;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
  auto& [process, found] = *reinterpret_cast<std::pair<DWORD, HWND>*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (owner != process || !IsWindowVisible(window) || lstrcmpA(name, "#32770") != 0) return TRUE;
  found = window;
  return FALSE;
}

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
    const std::string name = Lower(image.data() + FileOffset(At<IMAGE_IMPORT_DESCRIPTOR>(at).Name));
    EXPECT_TRUE(system.count(name)) << name << " is not a system library";
    EXPECT_FALSE(kLoadedWhenUsed.count(name)) << name << " is loaded at start";
  }
  EXPECT_GT(count, 5);
  EXPECT_EQ(image.find("MorvelaStandIn"), std::string::npos) << "the test's stand-in is linked in";
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
  // asInvoker names an execution level, so the system runs the program without virtualization.
  EXPECT_NE(text.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"),
            std::string::npos);
  for (const char* system : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                             "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
    EXPECT_NE(text.find(std::string("<supportedOS Id=\"{") + system + "}\"/>"), std::string::npos) << system;
  EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16)), nullptr);  // RT_VERSION
  EXPECT_NE(FindResourceA(module, "MAINICON", MAKEINTRESOURCEA(14)), nullptr);           // RT_GROUP_ICON
  FreeLibrary(module);
}

// The loader may move the image to a random address and keeps data from being executed. The image has
// to carry its base relocations for the first: without them the loader cannot move it and quietly
// ignores the flag.
TEST_F(ExecutableE2E, AllowsAddressRandomisationAndForbidsExecutingData) {
  const IMAGE_NT_HEADERS32& nt = Headers();
  const WORD flags = nt.OptionalHeader.DllCharacteristics;
  EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE);
  EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_NX_COMPAT);
  EXPECT_FALSE(nt.FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED);
  EXPECT_GT(nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u);

  // HIGH_ENTROPY_VA asks for randomisation across a 64-bit address space. It is defined only for
  // 64-bit images (PE32+); a 32-bit process has at most 4 GB to place things in, the loader does not
  // look at the flag in a 32-bit image, and the linker for 32-bit targets does not offer it. So it
  // does not apply here: the image is a 32-bit one and does not claim it.
  EXPECT_EQ(nt.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
  EXPECT_FALSE(flags & 0x0020) << "IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA in a 32-bit image";

  // On a Remote Desktop host the Windows folder is then the system's, not a copy for each user.
  EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE);
}

// The libraries the program imports are looked for in the system folder only, before its first line
// runs: the load configuration's DependentLoadFlags (at 0x36 of the record, which names its own size).
TEST_F(ExecutableE2E, LoadsItsImportedLibrariesFromTheSystemFolderOnly) {
  const IMAGE_DATA_DIRECTORY& entry =
      Headers().OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_LOAD_CONFIG];
  ASSERT_NE(entry.VirtualAddress, 0u);
  EXPECT_EQ(entry.Size, 64u);  // the size every version of the system takes for a 32-bit program
  const std::size_t record = FileOffset(entry.VirtualAddress);
  ASSERT_NE(record, 0u);
  EXPECT_EQ(At<DWORD>(record), entry.Size);
  EXPECT_EQ(At<WORD>(record + 0x36), LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// At start the program loads only libraries of the system's folder, and not those it rarely needs; the
// file dialog's library comes when the dialog is first opened, and the dialog works.
TEST(ExecutableStartE2E, LoadsSystemLibrariesOnlyAndTheRarelyNeededOnesWhenUsed) {
  e2e::Program program(e2e::RunFolder("late-libraries"));
  ASSERT_TRUE(program.Started());
  char folder[MAX_PATH] = "";
  GetSystemDirectoryA(folder, MAX_PATH);
  const std::string system = Lower(folder);
  GetSystemWow64DirectoryA(folder, MAX_PATH);  // where a 32-bit process's system libraries lie on 64 bits
  const std::string system32 = Lower(folder);
  GetWindowsDirectoryA(folder, MAX_PATH);
  const std::string sideBySide = Lower(folder) + "\\winsxs\\";  // the common controls' own folders
  const std::map<std::string, std::string> atStart = LoadedLibraries(program.Id());
  ASSERT_TRUE(atStart.count("morvela.exe"));
  for (const auto& [name, where] : atStart) {
    if (name == "morvela.exe") continue;
    EXPECT_TRUE(where == system || where == system32 || where.starts_with(sideBySide))
        << name << " from " << where;
    EXPECT_FALSE(kLoadedWhenUsed.count(name)) << name << " is loaded at start";
  }

  e2e::Program::Click(program.ControlAt(program.Main(), 504, 10));  // the button beside the path box
  std::pair<DWORD, HWND> dialog{program.Id(), nullptr};
  ASSERT_TRUE(e2e::WaitFor([&] {
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog.second != nullptr;
  }));
  EXPECT_TRUE(LoadedLibraries(program.Id()).count("comdlg32.dll"));
  PostMessageA(dialog.second, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindow(dialog.second) || !IsWindowVisible(dialog.second); }));
  EXPECT_TRUE(program.Close());
}

}  // namespace
