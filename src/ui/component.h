#pragma once
// Components are registered with their owner under their name, so that a window can look one of its
// controls up by name (the quick-launch buttons are found that way). Forms hold their components as
// members; the owner list only refers to them and never deletes them.
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

class TComponent : public TObject {
 public:
  TComponent(TComponent* owner, std::string_view name);
  ~TComponent() override;

  const std::string& Name() const { return name_; }
  TComponent* Owner() const { return owner_; }
  TComponent* FindComponent(std::string_view name) const;
  const std::vector<TComponent*>& Components() const { return components_; }

  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

 private:
  TComponent* owner_;
  std::string name_;
  std::vector<TComponent*> components_;
  int tag_ = 0;
};

}  // namespace ui
