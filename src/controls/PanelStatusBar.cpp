#include "controls/PanelStatusBar.h"

namespace {
constexpr unsigned kSingleLine = 0x20;  // DT_SINGLELINE
constexpr unsigned kExpandTabs = 0x40;  // DT_EXPANDTABS
constexpr unsigned kNoPrefix = 0x800;   // DT_NOPREFIX
}  // namespace

std::vector<ui::Rect> PanelBoxes(const ui::Rect& area, const std::vector<ui::StatusPanel>& panels,
                                 bool autoSizeLast) {
  std::vector<ui::Rect> boxes;
  const int right = area.left + area.width;
  int x = area.left;
  for (std::size_t i = 0; i < panels.size(); ++i) {
    x += panels[i].left;
    ui::Rect box{x, area.top, panels[i].size, area.height};
    if (autoSizeLast && i + 1 == panels.size() && x + box.width < right) box.width = right - x;
    boxes.push_back(box);
    x += panels[i].size;
  }
  return boxes;
}

ui::Rect InnerBox(const ui::Rect& panel) {
  return {panel.left + 1, panel.top + 1, panel.width - 2, panel.height - 2};
}

ui::Rect GripBox(const ui::Rect& area, bool styled) {
  const int right = area.left + area.width, bottom = area.top + area.height;
  if (styled) return {right - 19, area.top, 19, area.height - 1};
  return {right - 13, bottom - 13, 13, 13};
}

unsigned TextFormat(TPanelAlignment alignment) {
  return static_cast<unsigned>(alignment) | kSingleLine | kExpandTabs | kNoPrefix;
}

std::optional<ui::Rect> RepaintAfterChange(const ui::Rect& area, const std::vector<ui::StatusPanel>& panels,
                                           std::size_t changed) {
  if (changed + 1 >= panels.size()) return std::nullopt;
  int left = area.left;
  for (std::size_t i = 0; i < changed; ++i) left += panels[i].left + panels[i].size;
  left += panels[changed].left;
  return ui::Rect{left, area.top, panels[changed].size, area.height};
}
