#pragma once
// Plain value types shared by the toolkit, its backends and the windows.
#include <cstdint>
#include <optional>
#include <string>

namespace ui {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// Left, top, width, height in pixels, as the windows' layout tables give them.
struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

// A colour: 0x00BBGGRR, or a system colour as 0x80000000 | COLOR_xxx index.
using Color = std::uint32_t;
inline constexpr Color kSystemColor = 0x80000000u;
inline constexpr Color clBtnFace = kSystemColor | 15;
inline constexpr Color clWindowText = kSystemColor | 8;
inline constexpr Color clScrollBar = kSystemColor | 0;
inline constexpr Color clGrayText = kSystemColor | 17;
inline constexpr Color clBlue = 0x00FF0000u;

struct Font {
  std::string name = "MS Sans Serif";
  int height = -11;  // 8 points at 96 dots per inch
  bool bold = false;
  bool underline = false;
  Color color = clWindowText;
  bool operator==(const Font&) const = default;
};

enum class Alignment { kLeft, kRight, kCenter };
enum class MouseButton { kLeft, kRight, kMiddle };
enum class Cursor { kDefault, kHandPoint };
enum class WindowState { kNormal = 0, kMinimized = 1, kMaximized = 2 };
enum class BorderStyle { kSingle, kDialog };
enum class FormPosition { kDesigned, kScreenCenter };
// The keys the toolkit acts on itself; a backend translates the system's into these. kContextMenu is the
// context key or Shift+F10, kDropDown is Alt+Down or F4 (the keys that open a drop-down button's menu).
enum class Key { kReturn, kEscape, kSpace, kLeft, kRight, kUp, kDown, kHome, kEnd, kContextMenu, kDropDown };

// Modal results.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

// Message box flags and answers, with the system's values.
inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbIconError = 0x10;
inline constexpr std::uint32_t kMbYesNo = 0x4;
inline constexpr std::uint32_t kMbIconWarning = 0x30;
inline constexpr std::uint32_t kMbIconInformation = 0x40;
inline constexpr std::uint32_t kMbDefButton2 = 0x100;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  std::uint32_t flags = kMbOk;
  // Top-left corner in screen pixels; a missing coordinate keeps the system's choice for it, and with
  // both missing the box is centred on the screen.
  std::optional<int> x;
  std::optional<int> y;
};

}  // namespace ui
