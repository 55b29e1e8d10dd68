// The custom drawing with real windows under Wine, checked on captured pixels: the status bar's frames
// and grip, the speed button's faces and the form's surface under them, the grey glyph of a disabled
// bit button, and that hovering over the quick-launch buttons leaves no GDI objects behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "controls/PanelStatusBar.h"
#include "controls/mdBUTTONS.h"
#include "controls/mdTHEMES.h"
#include "controls/paint_win32.h"
#include "platform/win32/win32_platform.h"
#include "ui/application.h"
#include "ui/win32/form_window.h"
#include "ui/win32/win32_backend.h"
#include "z_global/system_info.h"

namespace {

class Board : public ui::TForm {
 public:
  explicit Board(ui::TComponent* owner) : TForm(owner, "Board", "Zeichnen", 543, 156) {
    SetBorderStyle(ui::BorderStyle::kSingle);
    SetLeft(40);
    SetTop(40);
    const int lefts[] = {144, 227, 306};
    for (int n = 0; n < 6; ++n) {
      Quick[n].SetBounds({lefts[n % 3], n < 3 ? 100 : 117, n % 3 == 0 ? 81 : n % 3 == 1 ? 78 : 63, 17});
      Quick[n].SetText("Eintrag");
      Quick[n].Pictures.glyph = {"GLYPH_ARROW", 8, 5};
    }
    Printer.Pictures.glyph = {"GLYPH_PRINTER", 32, 32};
    Printer.SetTabOrder(0);
    Bar.Color = ui::clScrollBar;
    Bar.AddPanel({"Morvela", 300, 3});
    Bar.AddPanel({"Computername:  PC01", 200, 3});
  }
  TXPSpeedButton Quick[6] = {{this, "Q1", {}}, {this, "Q2", {}}, {this, "Q3", {}},
                             {this, "Q4", {}}, {this, "Q5", {}}, {this, "Q6", {}}};
  TXPBitBtn Printer{this, "Printer", {50, 100, 41, 35}};
  TPanelStatusBar Bar{this, "Bar", {0, 140, 543, 16}};
};

HWND WindowOf(const ui::TControl& control) {
  return dynamic_cast<ui::win32::ControlWindow&>(control.Peer()).Window();
}

// The window's pixels as they are on the screen now, 0x00BBGGRR each, rows from the top.
struct Capture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  bool operator==(const Capture&) const = default;
};

// After the window painted itself anew; only the area of a control without a window, when given.
Capture Take(HWND window, const ui::TControl* windowless = nullptr) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r;
  GetClientRect(window, &r);
  if (windowless) {
    const ui::Rect b = windowless->Bounds();
    r = {b.left, b.top, b.left + b.width, b.top + b.height};
  }
  Capture capture{r.right - r.left, r.bottom - r.top, {}};
  HDC dc = GetDC(window);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) capture.pixels.push_back(GetPixel(dc, x, y));
  ReleaseDC(window, dc);
  return capture;
}

// A mouse message to the form, at a point of one of its controls without a window.
void Mouse(const ui::TControl& control, UINT message, int x, int y) {
  SendMessageA(reinterpret_cast<HWND>(control.Form()->Handle()), message,
               message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(control.Left() + x, control.Top() + y));
}

bool IsGrey(COLORREF c) {
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  return std::abs(r - g) <= 1 && std::abs(g - b) <= 1;
}

class DrawingTest : public ::testing::Test {
 protected:
  std::optional<themes::ThemeLibrary> library{std::in_place};
  ui::win32::Win32Backend backend{GetModuleHandleA(nullptr)};
  paint::Painters painters{backend};
  platform::Win32Platform system;
  ui::TApplication app{backend, system, "Morvela"};
  Board* board = nullptr;

  void SetUp() override {
    app.CreateForm(board);
    ShowWindow(reinterpret_cast<HWND>(board->Handle()), SW_SHOW);
    SetForegroundWindow(reinterpret_cast<HWND>(board->Handle()));
    UpdateWindow(reinterpret_cast<HWND>(board->Handle()));
  }
  // Without the visual-style library the controls draw as a system without styles does.
  void StylesOff() { library.reset(); }
};

TEST_F(DrawingTest, FramesEachStatusPanelInShadowAndHighlight) {
  const Capture bar = Take(WindowOf(board->Bar));
  ASSERT_EQ(bar.width, 543);
  ASSERT_EQ(bar.height, 16);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(bar.At(150, 0), shadow);  // panel 0: top
  EXPECT_EQ(bar.At(3, 8), shadow);    // left
  EXPECT_EQ(bar.At(150, 15), light);  // bottom
  EXPECT_EQ(bar.At(302, 8), light);   // right
  EXPECT_EQ(bar.At(306, 8), shadow);  // panel 1 starts after its gap
  EXPECT_EQ(bar.At(400, 15), light);
  EXPECT_EQ(bar.At(304, 8), GetSysColor(COLOR_SCROLLBAR));  // the gap shows the bar's colour
  bool text = false;
  for (int x = 4; x < 60; ++x)
    for (int y = 1; y < 15; ++y) text = text || bar.At(x, y) == GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_TRUE(text) << "no text in panel 0";
}

TEST_F(DrawingTest, DrawsTheGripStyledOrWithTheThreeClassicDiagonals) {
  const Capture styled = Take(WindowOf(board->Bar));
  StylesOff();
  const Capture classic = Take(WindowOf(board->Bar));
  int white = 0, shadow = 0;
  for (int x = 530; x < 543; ++x)
    for (int y = 3; y < 16; ++y) {
      white += classic.At(x, y) == RGB(255, 255, 255) ? 1 : 0;
      shadow += classic.At(x, y) == GetSysColor(COLOR_BTNSHADOW) ? 1 : 0;
    }
  EXPECT_EQ(classic.At(541, 11), RGB(255, 255, 255));  // where the last white diagonal starts
  EXPECT_GE(white, 9);                                 // three white diagonals
  EXPECT_GE(shadow, 9);                                // three shadow diagonals
  EXPECT_EQ(styled.At(150, 0), classic.At(150, 0));    // the frames are the same either way

  bool differs = false;
  for (int x = 524; x < 543; ++x)
    for (int y = 0; y < 16; ++y) differs = differs || styled.At(x, y) != classic.At(x, y);
  EXPECT_TRUE(differs);  // with styles, the theme's gripper
}

TEST_F(DrawingTest, ShowsDifferentFacesForNormalHotAndPressed) {
  const ui::TControl& button = board->Quick[0];
  HWND form = reinterpret_cast<HWND>(board->Handle());
  int clicks = 0;
  board->Quick[0].OnClick = [&](ui::TObject*) { ++clicks; };
  const Capture normal = Take(form, &button);
  Mouse(button, WM_MOUSEMOVE, 5, 5);
  const Capture hot = Take(form, &button);
  Mouse(button, WM_LBUTTONDOWN, 5, 5);
  const Capture pressed = Take(form, &button);
  Mouse(button, WM_LBUTTONUP, 300, 5);  // released outside: no click, and the normal face at once
  const Capture left = Take(form, &button);
  // A click is a press and a release inside; the button never takes the focus from another control.
  EXPECT_EQ(clicks, 0);
  SetFocus(WindowOf(board->Printer));
  Mouse(button, WM_LBUTTONDOWN, 5, 5);
  Mouse(button, WM_LBUTTONUP, 6, 6);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(GetFocus(), WindowOf(board->Printer));
  EXPECT_NE(normal, hot);
  EXPECT_NE(hot, pressed);
  EXPECT_NE(normal, pressed);
  EXPECT_EQ(left, normal);
}

TEST_F(DrawingTest, DrawsADisabledSingleImageGlyphInGrey) {
  HBITMAP glyph =
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), "GLYPH_PRINTER", IMAGE_BITMAP, 0, 0, 0));
  ASSERT_NE(glyph, nullptr);
  HDC glyphDc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(glyphDc, glyph);
  const COLORREF transparent = GetPixel(glyphDc, 0, 31);
  // The glyph lies centred: (41 - 32) / 2 = 4 across, (35 - 32) / 2 = 1 down.
  const auto glyphPixels = [&](const Capture& capture, bool& colourful, bool& allGrey) {
    colourful = false;
    allGrey = true;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        if (GetPixel(glyphDc, x, y) == transparent) continue;
        const COLORREF shown = capture.At(4 + x, 1 + y);
        colourful = colourful || !IsGrey(shown);
        allGrey = allGrey && IsGrey(shown);
      }
  };
  bool colourful = false, allGrey = false;
  glyphPixels(Take(WindowOf(board->Printer)), colourful, allGrey);
  EXPECT_TRUE(colourful);
  board->Printer.SetEnabled(false);
  glyphPixels(Take(WindowOf(board->Printer)), colourful, allGrey);
  EXPECT_TRUE(allGrey);
  SelectObject(glyphDc, old);
  DeleteDC(glyphDc);
  DeleteObject(glyph);
}

TEST_F(DrawingTest, HoveringOverTheQuickLaunchButtonsLeavesNoGdiObject) {
  HWND form = reinterpret_cast<HWND>(board->Handle());
  Take(form);  // every button painted once, each with its snapshot
  const long objects = w32::LiveGdiObjects();
  for (const TXPSpeedButton& button : board->Quick) {
    Mouse(button, WM_MOUSEMOVE, 10, 8);
    Mouse(button, WM_MOUSEMOVE, 30, 9);
    SendMessageA(form, WM_MOUSELEAVE, 0, 0);
  }
  EXPECT_EQ(w32::LiveGdiObjects(), objects);
}

// A bit button's redraw has its form paint its background into the bit button's surface. A speed
// button disabled just before shows afterwards the face of a speed button disabled on its own, over
// the form's surface.
TEST_F(DrawingTest, ASpeedButtonDisabledBeforeABitButtonsRedrawShowsTheFormUnderIt) {
  HWND form = reinterpret_cast<HWND>(board->Handle());
  Take(form);
  board->Quick[3].SetEnabled(false);  // the same size as button 0, on its own
  const Capture alone = Take(form, &board->Quick[3]);
  board->Quick[0].SetEnabled(false);
  RedrawWindow(WindowOf(board->Printer), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const Capture afterRedraw = Take(form, &board->Quick[0]);
  EXPECT_EQ(afterRedraw, alone);
}

// Every name the version table gives for today's Windows fits the main window's version label (289
// pixels, bold), with a feature release and the bitness: a workstation also with the words of the
// personal suite, which servers never carry.
TEST_F(DrawingTest, TheLongestVersionNameFitsItsLabel) {
  ui::Font bold;
  bold.bold = true;
  HDC dc = backend.MeasuringDc();
  w32::SelectGuard font(dc, backend.FontFor(bold));
  std::string longest;
  int widest = 0;
  for (const std::uint32_t version : {62u, 63u, 100u})
    for (const std::uint32_t build : {9200u, 17763u, 20348u, 22000u, 26100u})
      for (const std::uint8_t productType : {1, 3}) {
        const std::uint16_t suite = productType == 1 ? 0x200 : 0;
        const platform::VersionRecord v{156, version / 10, version % 10, build, 2, "", 0,
                                        0,   suite,        productType};
        const std::string text = z_global::WindowsVersionName(
                                     v, [] { return false; }, [] { return std::string("24H2"); }) +
                                 " (64Bit)";
        RECT r{0, 0, 0, 0};
        DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
        if (r.right > widest) {
          widest = static_cast<int>(r.right);
          longest = text;
        }
      }
  EXPECT_LE(widest, 289) << longest;
}

}  // namespace
