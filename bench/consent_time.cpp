// How long the way to the consent prompt takes: from Enter in the password box to the helper's "runas"
// (the stand-in's ShellExecuteExW), ten times, with the account's token split. Prints the median; run
// by bench/run under Wine, beside the end-to-end driver whose parts it uses.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "e2e/driver.h"
#include "e2e/stand_in.h"

int main() {
  namespace standin = e2e::standin;
  standin::Session session{e2e::kPassword};
  session.Elevation(3);  // limited: the helper
  e2e::Program program(e2e::RunFolder("elevation-time"));
  if (!program.Started() || !session.InstallInto(program.Process())) return 1;
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  std::vector<double> milliseconds;
  for (int i = 0; i < 10; ++i) {
    session.Forget();  // the block keeps the first calls only
    e2e::Program::SetText(program.PathBox(), "notepad.exe");
    e2e::Program::SetText(program.PasswordBox(), e2e::kPassword);
    const std::size_t before = session.Calls(standin::kRunAs).size();
    LARGE_INTEGER pressed{};
    QueryPerformanceCounter(&pressed);
    e2e::Program::PressKey(program.PasswordBox(), VK_RETURN);
    if (!e2e::WaitFor([&] { return session.Calls(standin::kRunAs).size() > before; }) ||
        !e2e::Program::Handled(program.ControlAt(program.Main(), 464, 108)))
      return 1;
    milliseconds.push_back(
        1000.0 * static_cast<double>(session.Calls(standin::kRunAs).back().stamp - pressed.QuadPart) /
        static_cast<double>(frequency.QuadPart));
  }
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf("enter to runas, median of 10: %.1f ms (fastest %.1f, slowest %.1f)\n",
              (milliseconds[4] + milliseconds[5]) / 2, milliseconds.front(), milliseconds.back());
  return 0;
}
