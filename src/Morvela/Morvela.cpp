// Program entry: the Win32 backend and platform, the five windows, the message loop.
#include <windows.h>

#include <optional>

#include "Morvela/helper.h"
#include "Morvela/program.h"
#include "controls/mdTHEMES.h"
#include "controls/paint_win32.h"
#include "platform/platform.h"
#include "platform/win32/wide.h"
#include "ui/application.h"
#include "ui/win32/win32_backend.h"

namespace {

constexpr DWORD kSearchSystem32 = 0x800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

template <class Function>
Function Kernel32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

// Libraries loaded while the program runs (the theme library, the file dialog's, the printer list's)
// come from the system folder only. A library of such a name beside the executable, in a download
// folder or on a share that users can write, would otherwise run inside the process into which the
// administrator types the password.
void LoadLibrariesFromSystemFolderOnly() {
  if (auto setDefault = Kernel32Function<BOOL(WINAPI*)(DWORD)>("SetDefaultDllDirectories");
      setDefault && setDefault(kSearchSystem32))
    return;
  // A system without that function: at least not from the current folder.
  if (auto setDirectory = Kernel32Function<BOOL(WINAPI*)(LPCWSTR)>("SetDllDirectoryW")) setDirectory(L"");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  LoadLibrariesFromSystemFolderOnly();
  try {
    // Started as its own helper, the program does that one thing before any window exists.
    if (const std::optional<int> helped = RunAsHelper(platform::SystemPlatform())) return *helped;
    // The visual-style library is loaded before any window exists and freed after the last is gone.
    themes::ThemeLibrary themeLibrary;
    ui::win32::Win32Backend backend(instance);
    paint::Painters painters(backend);
    ui::TApplication application(backend, platform::SystemPlatform(), "Morvela");
    CreateForms(application);
    application.Run();
    return 0;
  } catch (const std::exception& error) {
    MessageBoxW(nullptr, w32::Wide(error.what()).c_str(), L"Morvela", MB_OK | MB_ICONERROR);
    return 1;
  }
}
