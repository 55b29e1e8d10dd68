#include "ui/component.h"

#include <algorithm>

#include "base/text.h"

namespace ui {

TComponent::TComponent(TComponent* owner, std::string_view name) : owner_(owner), name_(name) {
  if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  if (owner_) std::erase(owner_->components_, this);
  for (TComponent* child : components_) child->owner_ = nullptr;
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  // Component names compare without regard to case, as the form designer's names always have.
  auto it = std::find_if(components_.begin(), components_.end(),
                         [&](const TComponent* c) { return base::SameTextAscii(c->Name(), name); });
  return it == components_.end() ? nullptr : *it;
}

}  // namespace ui
