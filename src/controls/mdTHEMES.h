#pragma once
// Access to the visual-style library. It is loaded once at start (without an error box when it is
// missing), every function is looked up by name, and it is freed at exit. Without it, or with styles
// switched off, the controls draw in the standard way.
#include <windows.h>

#include "platform/win32/handles.h"

namespace themes {

using HTHEME = HANDLE;

class ThemeLibrary {
 public:
  ThemeLibrary();
  ~ThemeLibrary();
  ThemeLibrary(const ThemeLibrary&) = delete;
  ThemeLibrary& operator=(const ThemeLibrary&) = delete;

  bool Available() const { return available_; }

  HTHEME(WINAPI* OpenThemeData)(HWND, LPCWSTR) = nullptr;
  HRESULT(WINAPI* CloseThemeData)(HTHEME) = nullptr;
  HRESULT(WINAPI* DrawThemeBackground)(HTHEME, HDC, int, int, const RECT*, const RECT*) = nullptr;
  HRESULT(WINAPI* GetThemeTextExtent)
  (HTHEME, HDC, int, int, LPCWSTR, int, DWORD, const RECT*, RECT*) = nullptr;
  HRESULT(WINAPI* DrawThemeText)(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, DWORD, const RECT*) = nullptr;
  BOOL(WINAPI* IsThemeBackgroundPartiallyTransparent)(HTHEME, int, int) = nullptr;
  HRESULT(WINAPI* DrawThemeParentBackground)(HWND, HDC, const RECT*) = nullptr;
  HRESULT(WINAPI* GetThemeColor)(HTHEME, int, int, int, COLORREF*) = nullptr;
  HRESULT(WINAPI* GetThemeBackgroundContentRect)(HTHEME, HDC, int, int, const RECT*, RECT*) = nullptr;
  BOOL(WINAPI* IsThemeActive)() = nullptr;
  BOOL(WINAPI* IsAppThemed)() = nullptr;

 private:
  w32::UniqueModule module_;
  bool available_ = false;
};

// The library loaded at start; nullptr before it is loaded and after it is freed.
ThemeLibrary* Library();

// True when the library is loaded and visual styles are in use for this program.
bool UseThemes();

// A theme handle for one drawing, closed when the drawing ends however it ends; none for no class.
class Theme {
 public:
  Theme(HWND window, LPCWSTR className);
  ~Theme();
  Theme(const Theme&) = delete;
  Theme& operator=(const Theme&) = delete;
  HTHEME get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  HTHEME handle_ = nullptr;
};

}  // namespace themes
