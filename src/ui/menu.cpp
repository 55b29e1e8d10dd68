#include "ui/menu.h"

#include "ui/application.h"

namespace ui {

TMenuItem::TMenuItem(TComponent* owner, std::string_view name, std::string_view caption)
    : TComponent(owner, name), caption_(caption) {}

void TMenuItem::Click() {
  if (!enabled_) return;
  Application().Guard([&] {
    if (OnClick) OnClick(this);
  });
}

void TPopupMenu::Popup(int x, int y) {
  Application().GetBackend().Popup(*this, {x, y});
}

}  // namespace ui
