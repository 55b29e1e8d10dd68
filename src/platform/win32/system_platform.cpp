#include "platform/win32/win32_platform.h"

namespace platform {

Platform& SystemPlatform() {
  static Win32Platform system;
  return system;
}

}  // namespace platform
