#pragma once
// Move-only owners for system handles. Each closes its handle once, in its destructor, and keeps the
// thread's last-error value intact while doing so, so a caller can still read the error of the call
// that failed before the cleanup ran.
#include <windows.h>

#include <utility>

namespace w32 {

// GDI objects and device contexts held by owners right now. Wine does not count GDI objects for a
// process, so the drawing's tests count what our own owners hold.
inline long g_liveGdiObjects = 0;
inline long LiveGdiObjects() {
  return g_liveGdiObjects;
}

struct Uncounted {
  static void Acquired() {}
  static void Released() {}
};
struct CountedGdi {
  static void Acquired() { ++g_liveGdiObjects; }
  static void Released() { --g_liveGdiObjects; }
};

template <class T, class Traits>
class Unique {
 public:
  Unique() = default;
  explicit Unique(T value) : value_(value) {
    if (value_ != Traits::Invalid()) Traits::Acquired();
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  Unique(Unique&& other) noexcept : value_(std::exchange(other.value_, Traits::Invalid())) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) {
      reset();
      value_ = std::exchange(other.value_, Traits::Invalid());  // still counted once, now here
    }
    return *this;
  }
  ~Unique() { reset(); }

  T get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::Invalid(); }
  T release() {
    if (value_ != Traits::Invalid()) Traits::Released();
    return std::exchange(value_, Traits::Invalid());
  }
  void reset(T value = Traits::Invalid()) {
    if (value_ != Traits::Invalid()) {
      const DWORD error = GetLastError();
      Traits::Close(value_);
      Traits::Released();
      SetLastError(error);
    }
    value_ = value;
    if (value_ != Traits::Invalid()) Traits::Acquired();
  }

 private:
  T value_ = Traits::Invalid();
};

struct KernelHandleTraits : Uncounted {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct FileTraits : Uncounted {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct RegKeyTraits : Uncounted {
  static HKEY Invalid() { return nullptr; }
  static void Close(HKEY h) { ::RegCloseKey(h); }
};
struct GdiTraits : CountedGdi {
  static HGDIOBJ Invalid() { return nullptr; }
  static void Close(HGDIOBJ h) { ::DeleteObject(h); }
};
struct MenuTraits : Uncounted {
  static HMENU Invalid() { return nullptr; }
  static void Close(HMENU h) { ::DestroyMenu(h); }
};
struct WindowTraits : Uncounted {
  static HWND Invalid() { return nullptr; }
  static void Close(HWND h) {
    if (::IsWindow(h)) ::DestroyWindow(h);
  }
};
struct HookTraits : Uncounted {
  static HHOOK Invalid() { return nullptr; }
  static void Close(HHOOK h) { ::UnhookWindowsHookEx(h); }
};
struct ModuleTraits : Uncounted {
  static HMODULE Invalid() { return nullptr; }
  static void Close(HMODULE h) { ::FreeLibrary(h); }
};
struct DcTraits : CountedGdi {
  static HDC Invalid() { return nullptr; }
  static void Close(HDC h) { ::DeleteDC(h); }
};

using UniqueHandle = Unique<HANDLE, KernelHandleTraits>;
using UniqueFile = Unique<HANDLE, FileTraits>;
using UniqueKey = Unique<HKEY, RegKeyTraits>;
using UniqueGdi = Unique<HGDIOBJ, GdiTraits>;
using UniqueMenu = Unique<HMENU, MenuTraits>;
using UniqueWindow = Unique<HWND, WindowTraits>;
using UniqueHook = Unique<HHOOK, HookTraits>;
using UniqueModule = Unique<HMODULE, ModuleTraits>;
using UniqueDc = Unique<HDC, DcTraits>;

// Selects an object into a device context for the life of the scope, then puts the old one back.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (old_) ::SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// SaveDC and RestoreDC as one scope: what is set on the device context inside is undone at its end.
class SavedDc {
 public:
  explicit SavedDc(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
  SavedDc(const SavedDc&) = delete;
  SavedDc& operator=(const SavedDc&) = delete;
  ~SavedDc() { ::RestoreDC(dc_, saved_); }

 private:
  HDC dc_;
  int saved_;
};

// BeginPaint and EndPaint as one scope.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { dc_ = ::BeginPaint(window_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { ::EndPaint(window_, &ps_); }
  HDC dc() const { return dc_; }
  const RECT& area() const { return ps_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

}  // namespace w32
