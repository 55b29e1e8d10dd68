#pragma once
// A running application on the headless backend with the fake platform, for tests that build forms and
// controls of their own. A fixture takes it as a base, so the application exists before its members.
#include "fakes/fake_platform.h"
#include "ui/application.h"
#include "ui/headless/headless_backend.h"

namespace fake {

struct HeadlessApp {
  FakePlatform system;
  ui::headless::HeadlessBackend screen;
  ui::TApplication app{screen, system, "Morvela"};
};

}  // namespace fake
