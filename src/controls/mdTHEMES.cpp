#include "controls/mdTHEMES.h"

namespace themes {
namespace {

ThemeLibrary* g_library = nullptr;
constexpr UINT kNoOpenFileErrorBox = 0x8000;  // SEM_NOOPENFILEERRORBOX

template <class Function>
bool Resolve(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return function != nullptr;
}

}  // namespace

ThemeLibrary::ThemeLibrary() {
  // No error box for a system without the library: it then simply draws the standard way.
  const UINT previous = SetErrorMode(kNoOpenFileErrorBox);
  module_.reset(LoadLibraryW(L"uxtheme.dll"));
  SetErrorMode(previous);
  if (module_) {
    HMODULE m = module_.get();
    available_ = Resolve(m, "OpenThemeData", OpenThemeData) & Resolve(m, "CloseThemeData", CloseThemeData) &
                 Resolve(m, "DrawThemeBackground", DrawThemeBackground) &
                 Resolve(m, "GetThemeTextExtent", GetThemeTextExtent) &
                 Resolve(m, "DrawThemeText", DrawThemeText) &
                 Resolve(m, "IsThemeBackgroundPartiallyTransparent", IsThemeBackgroundPartiallyTransparent) &
                 Resolve(m, "DrawThemeParentBackground", DrawThemeParentBackground) &
                 Resolve(m, "GetThemeColor", GetThemeColor) &
                 Resolve(m, "GetThemeBackgroundContentRect", GetThemeBackgroundContentRect) &
                 Resolve(m, "IsThemeActive", IsThemeActive) & Resolve(m, "IsAppThemed", IsAppThemed);
  }
  g_library = this;
}

ThemeLibrary::~ThemeLibrary() {
  available_ = false;
  g_library = nullptr;
}

ThemeLibrary* Library() {
  return g_library;
}

bool UseThemes() {
  const ThemeLibrary* library = g_library;
  return library && library->Available() && library->IsThemeActive() && library->IsAppThemed();
}

Theme::Theme(HWND window, LPCWSTR className) {
  if (className && UseThemes()) handle_ = g_library->OpenThemeData(window, className);
}

Theme::~Theme() {
  if (handle_ && g_library) g_library->CloseThemeData(handle_);
}

}  // namespace themes
