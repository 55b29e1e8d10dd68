// Program entry: the Win32 backend and platform, the five windows, the message loop.
#include <windows.h>

#include "Morvela/program.h"
#include "controls/mdTHEMES.h"
#include "controls/paint_win32.h"
#include "platform/platform.h"
#include "ui/application.h"
#include "ui/win32/win32_backend.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  try {
    // The visual-style library is loaded before any window exists and freed after the last is gone.
    themes::ThemeLibrary themeLibrary;
    ui::win32::Win32Backend backend(instance);
    paint::Painters painters(backend);
    ui::TApplication application(backend, platform::SystemPlatform(), "Morvela");
    CreateForms(application);
    application.Run();
    return 0;
  } catch (const std::exception& error) {
    MessageBoxA(nullptr, error.what(), "Morvela", MB_OK | MB_ICONERROR);
    return 1;
  }
}
