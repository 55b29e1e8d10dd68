#include "controls/PanelStatusBar.h"

namespace {
constexpr unsigned kSingleLine = 0x20;  // DT_SINGLELINE
constexpr unsigned kExpandTabs = 0x40;  // DT_EXPANDTABS
constexpr unsigned kNoPrefix = 0x800;   // DT_NOPREFIX
}  // namespace

std::vector<Box> PanelBoxes(const Box& area, const std::vector<ui::StatusPanel>& panels, bool autoSizeLast) {
  std::vector<Box> boxes;
  int x = area.left;
  for (std::size_t i = 0; i < panels.size(); ++i) {
    x += panels[i].left;
    Box box{x, area.top, x + panels[i].size, area.bottom};
    if (autoSizeLast && i + 1 == panels.size() && box.right < area.right) box.right = area.right;
    boxes.push_back(box);
    x += panels[i].size;
  }
  return boxes;
}

Box InnerBox(const Box& panel) {
  return {panel.left + 1, panel.top + 1, panel.right - 1, panel.bottom - 1};
}

Box GripBox(const Box& area, bool styled) {
  if (styled) return {area.right - 19, area.top, area.right, area.bottom - 1};
  return {area.right - 13, area.bottom - 13, area.right, area.bottom};
}

unsigned TextFormat(TPanelAlignment alignment) {
  return static_cast<unsigned>(alignment) | kSingleLine | kExpandTabs | kNoPrefix;
}

std::optional<Box> RepaintAfterChange(const Box& area, const std::vector<ui::StatusPanel>& panels,
                                      std::size_t changed) {
  if (changed + 1 >= panels.size()) return std::nullopt;
  int left = area.left;
  for (std::size_t i = 0; i < changed; ++i) left += panels[i].left + panels[i].size;
  left += panels[changed].left;
  return Box{left, area.top, left + panels[changed].size, area.bottom};
}
