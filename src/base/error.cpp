#include "base/error.h"

namespace base {

EError::~EError() = default;

}  // namespace base
