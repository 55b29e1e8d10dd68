#pragma once
// Popup menus: a tree of items, each a component of its form so it can be found by name.
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/control.h"
#include "ui/types.h"

namespace ui {

class TMenuItem : public TComponent {
 public:
  TMenuItem(TComponent* owner, std::string_view name, std::string_view caption);

  const std::string& Caption() const { return caption_; }
  bool IsSeparator() const { return caption_ == "-"; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  const std::vector<TMenuItem*>& Items() const { return items_; }
  void Add(TMenuItem& item) { items_.push_back(&item); }

  TNotifyEvent OnClick;
  void Click();  // runs the handler under the application's guard

 private:
  std::string caption_;
  bool enabled_ = true;
  std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
 public:
  TPopupMenu(TComponent* owner, std::string_view name) : TComponent(owner, name) {}
  const std::vector<TMenuItem*>& Items() const { return items_; }
  void Add(TMenuItem& item) { items_.push_back(&item); }
  // Shows the menu with its top-left corner at the screen point.
  void Popup(int x, int y);

 private:
  std::vector<TMenuItem*> items_;
};

}  // namespace ui
