#pragma once
// The status bar along the main window's bottom edge: text panels in thin sunken frames and a size
// grip. Where each panel, its text and the grip go, and how much to repaint after a change, is decided
// here; the Win32 painting file draws.
#include <optional>
#include <vector>

#include "ui/control.h"

// Text placement in a panel: the system's DT_ values for horizontal and vertical placement.
enum class TPanelAlignment {
  agTopLeft = 0,
  agTopCenter = 1,
  agTopRight = 2,
  agCenterLeft = 4,
  agCenter = 5,
  agCenterRight = 6,
  agBottomLeft = 8,
  agBottomCenter = 9,
  agBottomRight = 10
};

// The panels' rectangles inside the panel area: each after its gap, the last one stretched to the
// area's right edge when it ends short of it (never shortened).
std::vector<ui::Rect> PanelBoxes(const ui::Rect& area, const std::vector<ui::StatusPanel>& panels,
                                 bool autoSizeLast);
// Inside a panel's sunken one-pixel frame.
ui::Rect InnerBox(const ui::Rect& panel);
// The size grip in the bottom-right corner of the panel area.
ui::Rect GripBox(const ui::Rect& area, bool styled);
// The drawing flags for a panel's text: its alignment, one line, tabs expanded, no "&" prefixes.
unsigned TextFormat(TPanelAlignment alignment);

// What must be drawn again after a panel's text changed: that panel alone, unless it is the last one,
// whose change repaints the whole bar (nothing means the whole bar).
std::optional<ui::Rect> RepaintAfterChange(const ui::Rect& area, const std::vector<ui::StatusPanel>& panels,
                                           std::size_t changed);

class TPanelStatusBar : public ui::TStatusBar {
 public:
  using TStatusBar::TStatusBar;

  ui::Color Color = ui::clBtnFace;
  bool SizeGrip = true;
  bool AutoSizeLastPanel = true;
  bool CtlXP = true;  // the grip in the visual style when styles are in use
  TPanelAlignment Alignment = TPanelAlignment::agTopLeft;  // of every panel's text
};
