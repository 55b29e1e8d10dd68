// An error that nothing can catch ends the program here: one thrown inside a window procedure, where
// no handler's guard runs (memory running out while a control paints), or a terminate. The program
// ends with its own error box, not silently. This replaces the runtime's default handler, which would
// print the error's type name and for that link a whole C++ name demangler into the program.
#include <windows.h>

#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
  MessageBoxW(nullptr, L"Morvela wird wegen eines unerwarteten Fehlers beendet.", L"Morvela",
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
  std::_Exit(3);
}
}  // namespace __gnu_cxx
