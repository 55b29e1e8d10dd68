// The password in the program's memory. The password is typed with real key events; then the program
// launches, opens the gate and lets a quick launch fail into the password dialog, and before and after
// each step the driver counts the copies of the password in every committed page of the program (as
// ANSI and as UTF-16 text, outside the stand-in library). A copy is found by all but its first
// character, so that one whose first character alone was cleared still counts. The only copies allowed
// are the main window's password box and, while the dialog shows, the dialog's own box; a password
// typed over leaves none, and the dialog's box is emptied when it closes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string_view>

#include "e2e/driver.h"
#include "e2e/stand_in.h"

namespace {

using e2e::Program;
namespace standin = e2e::standin;

// Three passwords that occur nowhere else: the right one, a wrong one and one mistyped in the dialog.
const char kRight[] = "q7wx3kp9vz";
const char kWrong[] = "w8ya4lq0uz";
const char kMistyped[] = "m5nb2jh6tc";

struct Copies {
  int ansi = 0;
  int wide = 0;
  bool operator==(const Copies&) const = default;
};

void PrintTo(const Copies& copies, std::ostream* out) {
  *out << copies.ansi << " ANSI, " << copies.wide << " UTF-16";
}

int Occurrences(std::string_view memory, std::string_view text) {
  int found = 0;
  for (std::size_t at = memory.find(text); at != std::string_view::npos; at = memory.find(text, at + 1))
    ++found;
  return found;
}

// Every committed, readable page of the process, searched for the text in both forms.
Copies CountCopies(const Program& program, const std::string& text) {
  const std::string password = text.substr(1);
  const BYTE* library = nullptr;
  DWORD librarySize = 0;
  standin::Session::LoadedRange(program.Id(), library, librarySize);
  std::string wide;
  for (char c : password) wide += {c, '\0'};
  Copies copies;
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  std::string buffer;
  const auto* end = static_cast<const BYTE*>(system.lpMaximumApplicationAddress);
  for (const auto* at = static_cast<const BYTE*>(system.lpMinimumApplicationAddress); at < end;) {
    MEMORY_BASIC_INFORMATION region{};
    if (!VirtualQueryEx(program.Process(), at, &region, sizeof region)) break;
    at = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize;
    if (region.State != MEM_COMMIT || (region.Protect & (PAGE_NOACCESS | PAGE_GUARD)) ||
        region.AllocationBase == library)
      continue;
    buffer.resize(region.RegionSize);
    SIZE_T read = 0;
    if (!ReadProcessMemory(program.Process(), region.BaseAddress, buffer.data(), region.RegionSize, &read))
      continue;
    const std::string_view memory(buffer.data(), read);
    copies.ansi += Occurrences(memory, password);
    copies.wide += Occurrences(memory, wide);
  }
  return copies;
}

class PasswordMemoryE2E : public ::testing::Test {
 protected:
  std::string folder = e2e::RunFolder("password-memory");
  standin::Session session{kRight};
  std::unique_ptr<Program> program;
  HWND password = nullptr;
  HWND run = nullptr;

  void SetUp() override {
    e2e::WriteFile(folder + "Morvela.INI", "[SpeedButton1]\r\nText=Editor\r\nPfad=notepad\r\n");
    program = std::make_unique<Program>(folder);
    ASSERT_TRUE(e2e::standin::Ready(*program, session));
    password = program->ControlAt(program->Main(), 104, 56);
    run = program->ControlAt(program->Main(), 464, 108);
    Program::SetText(program->ControlAt(program->Main(), 104, 12), "notepad");
  }
  // The copies of each password now, printed for the record.
  std::vector<Copies> Count(const char* step) {
    std::vector<Copies> counts;
    std::printf("%-44s", step);
    for (const char* text : {kRight, kWrong, kMistyped}) {
      counts.push_back(CountCopies(*program, text));
      std::printf("  %d ANSI, %d UTF-16 |", counts.back().ansi, counts.back().wide);
    }
    std::printf("\n");
    return counts;
  }
  bool LaunchesMade(std::size_t count) {
    return e2e::WaitFor([&] { return session.Calls(standin::kLaunch).size() == count; });
  }
  // The account is logged on before each launch (and by the gate).
  bool LogonsMade(std::size_t count) {
    return e2e::WaitFor([&] { return session.Calls(standin::kLogon).size() == count; });
  }
};

TEST_F(PasswordMemoryE2E, NoStepLeavesACopyBeyondThePasswordBoxes) {
  const Copies none{0, 0}, one{0, 1}, two{0, 2};
  std::printf("%-44s  %-20s|  %-20s|  %-20s|\n", "copies of", kRight, kWrong, kMistyped);
  ASSERT_TRUE(program->Type(password, kRight));
  EXPECT_EQ(Count("typed into the main window"), (std::vector{one, none, none}));

  Program::PressKey(password, VK_RETURN);
  ASSERT_TRUE(LaunchesMade(1));
  ASSERT_TRUE(session.Calls(standin::kLaunch)[0].answer);
  ASSERT_TRUE(Program::Handled(run));
  EXPECT_EQ(Count("after the launch"), (std::vector{one, none, none}));

  Program::ClickAt(program->Main(), 144 + 5, 100 + 5, true);
  ASSERT_TRUE(program->ChooseFromMenu(0));
  HWND editor = program->WaitForWindow("Belegung der Schnelltasten");
  ASSERT_NE(editor, nullptr);
  Program::Click(program->ControlAt(editor, 164, 200));
  ASSERT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(editor); }));
  EXPECT_EQ(Count("after the gate and the editor"), (std::vector{one, none, none}));

  // A wrong password typed over the right one: the quick launch fails into the dialog.
  ASSERT_TRUE(program->Type(password, kWrong, true));
  Program::ClickAt(program->Main(), 144 + 10, 100 + 8);
  HWND dialog = program->WaitForWindow("Passwort");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(LogonsMade(3));  // the wrong password fails at the logon: no launch
  EXPECT_FALSE(session.Calls(standin::kLogon)[2].answer);
  EXPECT_EQ(Count("wrong one typed over, in the dialog"), (std::vector{none, two, none}));

  // In the dialog a mistyped password, typed over with the right one; the retry succeeds.
  HWND box = program->ControlAt(dialog, 72, 32);
  ASSERT_TRUE(program->Type(box, kMistyped, true));
  ASSERT_TRUE(program->Type(box, kRight, true));
  Program::PressKey(box, VK_RETURN);
  ASSERT_TRUE(LaunchesMade(2));
  EXPECT_TRUE(session.Calls(standin::kLaunch)[1].answer);
  ASSERT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(dialog); }));
  ASSERT_TRUE(Program::Handled(run));
  EXPECT_EQ(Count("corrected in the dialog, after the retry"), (std::vector{one, none, none}));
}

}  // namespace
