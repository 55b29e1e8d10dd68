// The C++ runtime's own errors (a string grown past its limit, an index outside a text) are raised
// here as the program's error, whose text the application shows in its error box. The runtime's
// versions would raise its standard exceptions, which keep their texts in the old reference-counted
// string and bring all of its code into the executable; these keep the program a tenth smaller.
#include <new>

#include "base/error.h"

namespace std {

void __throw_bad_alloc() {
  throw std::bad_alloc();
}
void __throw_bad_array_new_length() {
  throw std::bad_array_new_length();
}
void __throw_length_error(const char* what) {
  throw base::EError(what);
}
void __throw_logic_error(const char* what) {
  throw base::EError(what);
}
void __throw_out_of_range(const char* what) {
  throw base::EError(what);
}
// The message is the runtime's pattern with its numbers left out.
void __throw_out_of_range_fmt(const char* what, ...) {
  throw base::EError(what);
}
void __throw_invalid_argument(const char* what) {
  throw base::EError(what);
}

}  // namespace std
