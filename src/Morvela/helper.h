#pragma once
// The program as its own helper: started as the administrator's account with a switch, it opens no
// window, reads no settings and writes nothing to the registry. It has the shell start a file with the
// account's full rights (and so ask for the administrator's consent), or writes a quick-launch entry
// into the settings file beside it, and ends with 0 or the system's error code. It never starts the
// program itself, but to save; raised, it does nothing but save.
#include <optional>

#include "platform/platform.h"

// When the program's own command line is a helper's: what the helper did, as its exit code.
std::optional<int> RunAsHelper(platform::Platform& system);
