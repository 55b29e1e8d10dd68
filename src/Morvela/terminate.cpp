// The runtime's default handler for an error that nothing catches prints the error's type name, for
// which it links a whole C++ name demangler into the program. Nothing here can reach that handler
// (every handler runs under the application's guard, and the program entry catches the rest), so a
// plain one that ends the program keeps the executable small.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx
